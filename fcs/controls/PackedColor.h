#pragma once

#include <QColor>

// Colours are stored packed as blue * 65536 + green * 256 + red.
inline QColor FromPacked(int packed)
{
    return QColor(packed & 0xff, (packed >> 8) & 0xff, (packed >> 16) & 0xff);
}

inline int ToPacked(const QColor& colour)
{
    return colour.red() | colour.green() << 8 | colour.blue() << 16;
}
