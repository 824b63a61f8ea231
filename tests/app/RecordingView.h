#pragma once

#include "fcs/app/MatchClockView.h"

#include <QStringList>
#include <vector>

// Records what the match clock shows.
class RecordingView : public MatchClockView {
public:
    void showTime(qint32 ms, TimerStyle s) override
    {
        time = ms;
        style = s;
    }
    void showIndicators(PeriodIndicator e, PeriodIndicator t, PeriodIndicator a) override
    {
        endGame = e;
        teleop = t;
        autonomous = a;
    }
    void showJoystickIcon(int, int, int) override {}
    void showTeamStatus(int position, int level, const QString& text, int, int) override
    {
        statusShown << QStringLiteral("%1:%2:%3").arg(position).arg(level).arg(text);
    }
    void showMatchCaption(const QString& text) override { caption = text; }
    bool takeEditedTeamNumbers(std::array<QString, 4>& numbers) override
    {
        if (!edited)
            return false;
        edited = false;
        numbers = editedNumbers;
        return true;
    }
    void refreshMatchCaptions() override { ++captionRefreshes; }

    qint32 time = -99999;
    TimerStyle style = TimerStyle::Neutral;
    PeriodIndicator endGame = PeriodIndicator::Disabled;
    PeriodIndicator teleop = PeriodIndicator::Disabled;
    PeriodIndicator autonomous = PeriodIndicator::Disabled;
    QStringList statusShown;
    QString caption;
    bool edited = false;
    std::array<QString, 4> editedNumbers;
    int captionRefreshes = 0;
};
