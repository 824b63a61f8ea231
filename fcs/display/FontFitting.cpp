#include "fcs/display/FontFitting.h"

#include <QFontMetricsF>

namespace FontFitting {

QFont VerdanaFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    return font;
}

QFont NarrowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed")});
    return font;
}

QSizeF TextSize(const QFont& font, const QString& text)
{
    const QFontMetricsF fm(font);
    return fm.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text).size();
}

double FitLabel(QFont font, const QString& text, QSize label, double start)
{
    double size = start;
    for (; size > 1.0; size -= 0.5) {
        font.setPointSizeF(size);
        const QSizeF extent = TextSize(font, text);
        if (extent.width() < label.width() - 10 && extent.height() < label.height() - 4)
            return size;
    }
    return 1.0;
}

double FitNames(QFont font, const QStringList& texts, QSize label, double start)
{
    double size = start;
    for (; size > 1.0; size -= 0.5) {
        font.setPointSizeF(size);
        bool fits = true;
        for (const QString& text : texts) {
            const QSizeF extent = TextSize(font, text);
            if (extent.width() > label.width() - 2 || extent.height() > label.height()) {
                fits = false;
                break;
            }
        }
        if (fits)
            return size;
    }
    return 1.0;
}

}
