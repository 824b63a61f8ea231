#pragma once

#include "fcs/app/MatchTypes.h"

#include <QString>
#include <array>

// What the match clock shows and asks of the main window. The main window
// forwards to its small clock and, while open, the audience display.
class MatchClockView {
public:
    virtual ~MatchClockView() = default;
    virtual void showTime(qint32 ms, TimerStyle style) = 0;
    virtual void showIndicators(PeriodIndicator endGame, PeriodIndicator teleop,
                                PeriodIndicator autonomous) = 0;
    // dialogState for the main window's icon; displayState for the audience display's.
    virtual void showJoystickIcon(int driverPosition, int dialogState, int displayState) = 0;
    virtual void showTeamStatus(int position, int level, const QString& text, int batteryLevel,
                                int linkState) = 0;
    virtual void showMatchCaption(const QString& text) = 0;
    // When the operator edited a team number since the last start: clears the
    // flag, fills the four numbers (Red 1, Red 2, Blue 1, Blue 2), returns true.
    virtual bool takeEditedTeamNumbers(std::array<QString, 4>& numbers) = 0;
    virtual void refreshMatchCaptions() = 0;
};

// Discovery as the idle service uses it to bind positions to modules.
class ModuleFinder {
public:
    virtual ~ModuleFinder() = default;
    virtual void RequestRefresh() = 0;
    // Index of the module announced under this name, -1 when none; multiple
    // is set when several modules carry it.
    virtual int FindByName(const QString& name, bool& multiple) = 0;
    // The module's address and the local interface it was heard on.
    virtual bool GetAddresses(int index, QString& moduleAddress, QString& localAddress) = 0;
};
