#pragma once

#include "platform/SoundPlayer.h"

#include <cstdint>
#include <vector>

// SoundPlayer on SDL2 audio. The audio device is opened on first use; when no
// device can be opened the player stays silent.
class SdlSoundPlayer : public SoundPlayer {
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void play(const QString& wavPath) override;
    void playAsterisk() override;

    // What the last successful play queued, for tests on the dummy driver.
    QString lastPlayed() const { return m_lastPlayed; }

private:
    bool ensureDevice();
    void queue(const std::vector<std::uint8_t>& pcm);

    std::uint32_t m_device = 0;
    bool m_initialised = false;
    bool m_failed = false;
    QString m_lastPlayed;
};
