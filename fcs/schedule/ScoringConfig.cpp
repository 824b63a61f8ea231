#include "fcs/schedule/ScoringConfig.h"

#include "fcs/schedule/TextLineReader.h"

#include <QStringList>
#include <climits>

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char(':')
           || c == QLatin1Char(',');
}

// The next token at or after pos, strtok style; pos moves past it.
QString nextToken(const QString& line, qsizetype& pos)
{
    while (pos < line.size() && isSeparator(line[pos]))
        ++pos;
    const qsizetype start = pos;
    while (pos < line.size() && !isSeparator(line[pos]))
        ++pos;
    return line.mid(start, pos - start);
}

// atoi: optional sign and leading digits, 0 when there are none; saturates.
int decimalValue(const QString& text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

void applyPeriod(int x, int& seconds, bool& enabled)
{
    if (x < 1) {
        enabled = false;
    } else if (x < 3600) {
        seconds = x;
        enabled = true;
    }
}

bool keyIs(const QString& key, const char* name)
{
    return key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

}

quint32 ParseDottedIPv4(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return 0xFFFFFFFFu;
    quint32 address = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok, 10);
        if (!ok || value > 255 || part.isEmpty())
            return 0xFFFFFFFFu;
        address = (address << 8) | value;
    }
    return address;
}

bool ApplyScoringConfigLine(const QString& line, ScoringConfig& config, bool& endOfBlock)
{
    endOfBlock = false;
    qsizetype pos = 0;
    const QString key = nextToken(line, pos);
    const QString rest = pos < line.size() ? line.mid(pos + 1).trimmed() : QString();
    const QString value1 = nextToken(line, pos);
    const QString value2 = nextToken(line, pos);
    const int x = decimalValue(value1);
    const int y = decimalValue(value2);

    if (key.isEmpty())
        return false;
    if (keyIs(key, "EndConfig")) {
        endOfBlock = true;
    } else if (keyIs(key, "MajorVersion")) {
        config.majorVersion = x;
    } else if (keyIs(key, "MinorVersion")) {
        config.minorVersion = x;
    } else if (keyIs(key, "AutonomousPeriod")) {
        applyPeriod(x, config.autonomousSeconds, config.autonomousEnabled);
    } else if (keyIs(key, "TeleopPeriod") || keyIs(key, "TelepPeriod")) {
        applyPeriod(x, config.teleopSeconds, config.teleopEnabled);
    } else if (keyIs(key, "EndOfMatchWarning")) {
        applyPeriod(x, config.warningSeconds, config.endOfMatchWarning);
    } else if (keyIs(key, "PauseBetweenPeriods")) {
        config.pauseBetweenPeriods = x != 0;
    } else if (keyIs(key, "Password")) {
        config.password = rest;
    } else if (keyIs(key, "MessageKey")) {
        config.key1 = x;
        config.key2 = y;
    } else if (keyIs(key, "IPAddr")) {
        config.address = ParseDottedIPv4(value1);
    } else if (keyIs(key, "FTPport")) {
        config.ftpPort = static_cast<quint16>(x);
    } else if (keyIs(key, "MessagePort")) {
        config.messagePort = static_cast<quint16>(x);
    } else {
        return false;
    }
    return true;
}

bool ReadScoringConfig(TextLineReader& file, ScoringConfig& config)
{
    QString line;
    for (;;) {
        switch (file.readLine(line)) {
        case TextLineReader::Result::End:
            return true;
        case TextLineReader::Result::TooLong:
        case TextLineReader::Result::Error:
            return false;
        case TextLineReader::Result::Line:
            break;
        }
        bool endOfBlock = false;
        if (!ApplyScoringConfigLine(line, config, endOfBlock))
            return false;
        if (endOfBlock)
            return true;
    }
}
