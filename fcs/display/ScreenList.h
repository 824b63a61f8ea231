#pragma once

#include <QList>
#include <QRect>

// The monitors, in the order the system lists them.
class ScreenList {
public:
    struct Screen {
        QRect geometry;
        bool primary = false;
    };
    virtual ~ScreenList() = default;
    virtual QList<Screen> Screens() const = 0;
};

// The monitors Qt knows (QGuiApplication::screens()).
class QtScreenList : public ScreenList {
public:
    QList<Screen> Screens() const override;
};

// The earliest monitor that is not the primary one; -1 when there is none.
int FirstSecondaryScreen(const QList<ScreenList::Screen>& screens);
// The monitor that overlaps rect by the largest area (the earlier one on a tie);
// -1 when none overlaps.
int LargestOverlapScreen(const QList<ScreenList::Screen>& screens, const QRect& rect);
