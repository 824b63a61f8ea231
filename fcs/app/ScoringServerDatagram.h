#pragma once

#include "fcs/app/MatchClock.h"

#include <QString>
#include <array>
#include <cstdint>

// Everything one status datagram reports: the tick of the match clock, the
// preferences' keys and division, and the current match.
struct StatusDatagramInput {
    TickReport tick;
    int key1 = 0;
    int key2 = 0;
    int division = 0;
    int matchType = 0;
    QString matchNumber;
    std::array<QString, 4> teamNames; // GetTeamName of each position
    bool teleopEnabled = true;
    int teleopSeconds = 120;
};

using StatusDatagram = std::array<std::uint8_t, 68>;

// The 68 bytes: seventeen 32-bit integers, big-endian.
StatusDatagram BuildStatusDatagram(const StatusDatagramInput& input);

// The leading decimal digits of a text as a number; 0 without digits. Numbers
// beyond 32 bits stop at the largest one.
qint32 LeadingDecimal(const QString& text);
