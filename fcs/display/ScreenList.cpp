#include "fcs/display/ScreenList.h"

#include <QGuiApplication>
#include <QScreen>

QList<ScreenList::Screen> QtScreenList::Screens() const
{
    QList<Screen> list;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens())
        list.append({screen->geometry(), screen == primary});
    return list;
}

int FirstSecondaryScreen(const QList<ScreenList::Screen>& screens)
{
    for (int i = 0; i < screens.size(); ++i) {
        if (!screens[i].primary)
            return i;
    }
    return -1;
}

int LargestOverlapScreen(const QList<ScreenList::Screen>& screens, const QRect& rect)
{
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens[i].geometry.intersected(rect);
        const qint64 area = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}
