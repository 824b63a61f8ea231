#pragma once

#include <QByteArray>
#include <QImage>

// A GIF 89a file of an image with at most 255 distinct opaque colours (fully
// transparent pixels become the transparent index). Qt reads GIF but does not
// write it. Empty on failure (too many colours).
QByteArray EncodeGif(const QImage& image);
