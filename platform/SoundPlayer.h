#pragma once

#include <QString>

// Asynchronous sound files. A new sound replaces the one playing; a missing or
// unreadable file plays nothing and reports nothing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& wavPath) = 0;
    // The desktop's short notification sound.
    virtual void playAsterisk() = 0;
};
