#pragma once

#include <QFontMetrics>
#include <QRect>

// Dialog template units: a quarter of the font's average character width
// across, an eighth of its height down. Keeps the dialog's layout in the
// units it was designed in, whatever font the desktop has.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : m_baseX((metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) + 26) / 52.0),
          m_baseY(metrics.height())
    {
    }
    int x(int units) const { return int(units * m_baseX / 4.0 + 0.5); }
    int y(int units) const { return int(units * m_baseY / 8.0 + 0.5); }
    QRect rect(int left, int top, int width, int height) const { return {x(left), y(top), x(width), y(height)}; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }

private:
    double m_baseX;
    double m_baseY;
};
