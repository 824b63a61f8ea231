#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The one codec between the program's text and the 8-bit text of the wire and
// of files. Each byte is one character (ISO 8859-1), so bytes survive a round
// trip unchanged; characters beyond it become '?'.
namespace Text8 {
QString decode(QByteArrayView bytes);
QByteArray encode(const QString& text);
// Encodes text for a file: every "\n" becomes CR LF.
QByteArray encodeForFile(const QString& text);
}
