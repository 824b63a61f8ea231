#pragma once

#include <QFont>
#include <QSize>
#include <QStringList>

// Font sizes for labels whose text must stay inside them.
namespace FontFitting {
// The display's fonts by name, with the nearest installed stand-ins.
QFont VerdanaFont();
QFont NarrowFont();

// Size of text (line breaks kept) in a font.
QSizeF TextSize(const QFont& font, const QString& text);

// From start down in half points to 1: the largest size at which the text is
// narrower than width - 10 and lower than height - 4 of the label.
double FitLabel(QFont font, const QString& text, QSize label, double start);
// From start down in half points: the largest size at which every text is at
// most width - 2 wide (and no higher than the label); 1 when none fits.
double FitNames(QFont font, const QStringList& texts, QSize label, double start);
}
