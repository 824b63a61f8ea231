#pragma once

#include <QDateTime>

// Calendar time of day, for stamps and file names. Tests hand in a fixed one.
class WallClock {
public:
    virtual ~WallClock() = default;
    virtual QDateTime now() const = 0;
};

class SystemWallClock : public WallClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
