#include "platform/Text8.h"

namespace Text8 {

QString decode(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.data(), bytes.size());
}

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text)
        out.append(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
    return out;
}

QByteArray encodeForFile(const QString& text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return encode(crlf);
}

}
