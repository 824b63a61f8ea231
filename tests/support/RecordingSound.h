#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

class RecordingSound : public SoundPlayer {
public:
    void play(const QString& path) override { played << path; }
    void playAsterisk() override { played << QStringLiteral("*"); }
    QStringList played;
};
