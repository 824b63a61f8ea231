#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

// Seven-segment clock digits on a transparent background; the unlit segments
// stay faintly visible so the clock face reads as a clock even when blank.
namespace DigitArt {
struct Face {
    QSize digit;     // size of one digit picture
    int colonWidth;  // the colon picture has the digit's height
    double stroke;   // segment thickness in pixels
};

// A digit 0 to 9, or -1 for the all-unlit "off" picture.
QImage Digit(const Face& face, int digit, const QColor& lit);
QImage Colon(const Face& face, bool on, const QColor& lit);
QColor Unlit(const QColor& lit);
}
