#include "fcs/schedule/MatchRecordReader.h"

#include "fcs/schedule/MatchLabels.h"
#include "fcs/schedule/ScoringConfig.h"
#include "fcs/schedule/TextLineReader.h"

namespace {

RecordKind parseBarLine(const QString& line, QStringList& fields)
{
    QString f[9];
    qsizetype pos = 0;
    for (QString& field : f) {
        qsizetype bar = line.indexOf(QLatin1Char('|'), pos);
        if (bar < 0)
            bar = line.size();
        field = line.mid(pos, bar - pos);
        pos = bar + 1;
    }
    const auto unless = [](const QString& value, const char* header, const char* column) {
        return value == QLatin1String(header) ? QString::fromLatin1(column) : value;
    };
    const auto thirdTeam = [](const QString& value, const char* header, const char* column) {
        if (value == QLatin1String(header))
            return QString::fromLatin1(column);
        return value == QLatin1String("0") ? QString() : value;
    };
    fields << (f[2].compare(QLatin1String("Number"), Qt::CaseInsensitive) == 0
                   ? QStringLiteral("Match")
                   : f[2])
           << unless(f[3], "RED 1", "Red Team 1") << unless(f[4], "RED 2", "Red Team 2")
           << unless(f[6], "BLUE 1", "Blue Team 1") << unless(f[7], "BLUE 2", "Blue Team 2")
           << f[1] << thirdTeam(f[5], "RED 3", "Red Team 3")
           << thirdTeam(f[8], "BLUE 3", "Blue Team 3");
    // A line that stops at its ninth field reads like the end of the file.
    return pos < line.size() ? RecordKind::Bar : RecordKind::None;
}

void splitCommaLine(const QString& line, QStringList& fields)
{
    const QChar quote = QLatin1Char('"');
    const QChar comma = QLatin1Char(',');
    qsizetype pos = 0;
    const qsizetype size = line.size();
    while (pos < size) {
        QString field;
        if (line[pos] == quote) {
            ++pos;
            for (;;) {
                qsizetype close = line.indexOf(quote, pos);
                if (close < 0)
                    close = size;
                field += QStringView(line).mid(pos, close - pos);
                pos = close + 1;
                if (pos < size && line[pos] == quote) {
                    field += quote;
                    ++pos;
                    continue;
                }
                break;
            }
            if (pos > size)
                pos = size;
        } else {
            qsizetype next = line.indexOf(comma, pos);
            if (next < 0)
                next = size;
            field = line.mid(pos, next - pos);
            pos = next;
        }
        fields << field;
        if (pos < size && line[pos] == comma)
            ++pos;
    }
}

}

RecordKind ParseMatchLine(const QString& line, QStringList& fields)
{
    fields.clear();
    if (!line.contains(QLatin1Char(',')) && line.contains(QLatin1Char('|')))
        return parseBarLine(line, fields);

    splitCommaLine(line, fields);
    const qsizetype onLine = fields.size();
    if (onLine < 3)
        return RecordKind::Malformed;
    if (!fields[1].contains(QLatin1Char('+')) && !fields[2].contains(QLatin1Char('+')))
        return RecordKind::Plain;

    fields << QStringLiteral("3") << QStringLiteral("???") << QStringLiteral("???");
    if (fields[1].contains(QLatin1Char('+'))) {
        if (onLine < 4)
            return RecordKind::Malformed;
        const auto red = SplitJoinedAlliance(fields[1]);
        fields[1] = red[0];
        fields[2] = red[1];
        fields[6] = red[2];
    }
    if (fields[3].contains(QLatin1Char('+'))) {
        if (onLine < 5)
            return RecordKind::Malformed;
        const auto blue = SplitJoinedAlliance(fields[3]);
        fields[3] = blue[0];
        fields[4] = blue[1];
        fields[7] = blue[2];
    }
    return RecordKind::Joined;
}

namespace {

RecordKind lineResult(TextLineReader::Result result)
{
    switch (result) {
    case TextLineReader::Result::End: return RecordKind::None;
    case TextLineReader::Result::TooLong: return RecordKind::Malformed;
    case TextLineReader::Result::Error: return RecordKind::ReadError;
    case TextLineReader::Result::Line: break;
    }
    return RecordKind::Plain;
}

}

RecordKind ReadMatchRecord(TextLineReader& file, QStringList& fields, MatchFileSettings& settings)
{
    fields.clear();
    QString line;
    TextLineReader::Result result = file.readLine(line);
    if (result != TextLineReader::Result::Line)
        return lineResult(result);

    if (line.contains(QLatin1String("MajorVersion"))) {
        ScoringConfig config;
        config.autonomousSeconds = settings.autonomousSeconds;
        config.teleopSeconds = settings.teleopSeconds;
        config.warningSeconds = settings.warningSeconds;
        config.password = settings.password;
        if (!ReadScoringConfig(file, config))
            return RecordKind::None;
        settings.autonomousSeconds = config.autonomousSeconds;
        settings.teleopSeconds = config.teleopSeconds;
        settings.warningSeconds = config.warningSeconds;
        if (!config.password.isEmpty())
            settings.password = config.password;
        result = file.readLine(line);
        if (result != TextLineReader::Result::Line)
            return lineResult(result);
    }
    return ParseMatchLine(line, fields);
}
