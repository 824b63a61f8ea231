#include "fcs/resources/StringTable.h"

#include <QHash>
#include <iterator>
#include <vector>

namespace {

struct Entry {
    int id;
    const char16_t* text;
};

// Each subsystem keeps its texts in its own file; numbers are unique across all.
const Entry kEntries[] = {
#include "fcs/resources/strings/core.inc"
#include "fcs/resources/strings/link.inc"
#include "fcs/resources/strings/joystick.inc"
#include "fcs/resources/strings/schedule.inc"
#include "fcs/resources/strings/display.inc"
#include "fcs/resources/strings/controls.inc"
};

const QHash<int, QString>& table()
{
    static const QHash<int, QString> strings = [] {
        QHash<int, QString> map;
        for (const Entry& e : kEntries)
            map.insert(e.id, QString::fromUtf16(e.text));
        return map;
    }();
    return strings;
}

// Applies a printf-style spec such as "d", "02d", "x", "02x", "s", "ld" to one value.
QString formatOne(const QVariant& value, const QString& spec)
{
    if (spec.isEmpty() || spec == QLatin1String("s") || spec == QLatin1String("ls"))
        return value.toString();
    QString flags = spec;
    const QChar conversion = flags.back();
    flags.chop(1);
    while (flags.endsWith(QLatin1Char('l')) || flags.endsWith(QLatin1Char('h')))
        flags.chop(1);
    bool zeroPad = false;
    if (flags.startsWith(QLatin1Char('0'))) {
        zeroPad = true;
        flags.remove(0, 1);
    }
    const int width = flags.toInt();
    QString text;
    switch (conversion.unicode()) {
    case 'd':
    case 'i':
    case 'u':
        text = QString::number(value.toLongLong());
        break;
    case 'x':
        text = QString::number(static_cast<quint32>(value.toLongLong()), 16);
        break;
    case 'X':
        text = QString::number(static_cast<quint32>(value.toLongLong()), 16).toUpper();
        break;
    default:
        text = value.toString();
        break;
    }
    if (text.size() < width) {
        const bool negative = text.startsWith(QLatin1Char('-'));
        if (zeroPad && negative)
            text = QLatin1Char('-') + text.mid(1).rightJustified(width - 1, QLatin1Char('0'));
        else
            text = text.rightJustified(width, zeroPad ? QLatin1Char('0') : QLatin1Char(' '));
    }
    return text;
}

}

QString Str(int id)
{
    return table().value(id);
}

bool HasStr(int id)
{
    return table().contains(id);
}

bool StringIdsUnique()
{
    return static_cast<size_t>(table().size()) == std::size(kEntries);
}

QString FormatMessage(const QString& format, std::initializer_list<QVariant> args)
{
    const std::vector<QVariant> values(args);
    QString out;
    out.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        if (format[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        int number = 0;
        while (j < format.size() && format[j].isDigit() && j - i <= 2)
            number = number * 10 + format[j++].digitValue();
        if (j == i + 1) {
            out += c;
            continue;
        }
        QString spec;
        qsizetype end = j;
        if (j < format.size() && format[j] == QLatin1Char('!')) {
            const qsizetype close = format.indexOf(QLatin1Char('!'), j + 1);
            if (close > j) {
                spec = format.mid(j + 1, close - j - 1);
                end = close + 1;
            }
        }
        if (number >= 1 && static_cast<size_t>(number) <= values.size())
            out += formatOne(values[static_cast<size_t>(number - 1)], spec);
        else
            out += format.mid(i, end - i);
        i = end - 1;
    }
    return out;
}

QString FormatMessage(int stringId, std::initializer_list<QVariant> args)
{
    return FormatMessage(Str(stringId), args);
}
