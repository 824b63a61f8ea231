#include "fcs/schedule/MatchLabels.h"

#include "fcs/resources/StringTable.h"

#include <climits>

namespace {
constexpr int kSubMarker = 4100;
constexpr int kFirstTypeText = 4107;
constexpr int kTypeCount = 5;

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}
}

QStringView LeadingDigits(QStringView text)
{
    qsizetype n = 0;
    while (n < text.size() && isAsciiDigit(text[n]))
        ++n;
    return text.left(n);
}

QString IncrementDecimal(QStringView digits)
{
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == QLatin1Char('0'))
        ++first;
    QString number = digits.mid(first).toString();
    if (number.isEmpty())
        number = QStringLiteral("0");
    for (qsizetype i = number.size() - 1; i >= 0; --i) {
        if (number[i] != QLatin1Char('9')) {
            number[i] = QChar(number[i].unicode() + 1);
            return number;
        }
        number[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + number;
}

int LeadingInteger(QStringView text)
{
    long long value = 0;
    for (const QChar c : LeadingDigits(text)) {
        value = value * 10 + (c.unicode() - '0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

QString MatchTypeText(int type)
{
    if (type < 0 || type >= kTypeCount)
        return QString();
    return Str(kFirstTypeText + type);
}

int MatchTypeFromText(const QString& text)
{
    for (int type = 0; type < kTypeCount; ++type)
        if (text.compare(Str(kFirstTypeText + type), Qt::CaseInsensitive) == 0)
            return type;
    return 0;
}

QString NormalizeTeamNumber(const QString& text)
{
    if (text.isEmpty() || text.size() >= 4)
        return text;
    return QString(4 - text.size(), QLatin1Char('0')) + text;
}

QString SubstituteLabel(const QString& label)
{
    const QString marker = Str(kSubMarker);
    const qsizetype at = label.indexOf(marker);
    if (at < 0)
        return label + marker;
    const qsizetype afterMarker = at + marker.size();
    const QStringView digits = LeadingDigits(QStringView(label).mid(afterMarker));
    const QString next = digits.isEmpty() ? QStringLiteral("2") : IncrementDecimal(digits);
    return label.left(afterMarker) + next + label.mid(afterMarker + digits.size());
}

std::array<QString, 3> SplitJoinedAlliance(const QString& text)
{
    std::array<QString, 3> parts;
    qsizetype pos = 0;
    for (QString& part : parts) {
        if (pos > text.size())
            break;
        qsizetype plus = text.indexOf(QLatin1Char('+'), pos);
        if (plus < 0)
            plus = text.size();
        part = text.mid(pos, plus - pos);
        pos = plus + 1;
    }
    return parts;
}
