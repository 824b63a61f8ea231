#include "fcs/app/ScoringServerNames.h"

#include "fcs/resources/StringTable.h"

namespace {
constexpr int kMatchesTxt = 399;
constexpr int kIcons = 400;
constexpr int kDebugLogDir = 412;
constexpr int kMatchLogDir = 413;
constexpr int kLogExtension = 414;
constexpr int kPngExtension = 181;
constexpr int kCsvExtension = 266;
constexpr int kJrvMatch = 267;

QString inFolder(int folderId, const QString& name, int extensionId)
{
    const QString file = name + QLatin1Char('.') + Str(extensionId);
    if (!ScoringServerNames::IsPlainName(name))
        return QString();
    return Str(folderId) + QLatin1Char('/') + file;
}
}

namespace ScoringServerNames {

QString MatchList()
{
    return Str(kMatchesTxt);
}

QString MatchLog(const QString& fcsIdentity)
{
    return inFolder(kMatchLogDir, QStringLiteral("%1_%2").arg(fcsIdentity, Str(kJrvMatch)), kCsvExtension);
}

QString DebugLog(const QString& matchLogName)
{
    return inFolder(kDebugLogDir, matchLogName, kLogExtension);
}

QString TeamLogo(const QString& team)
{
    return inFolder(kIcons, team, kPngExtension);
}

QString TeamLogoFile(const QString& team)
{
    return IsPlainName(team) ? team + QLatin1Char('.') + Str(kPngExtension) : QString();
}

bool IsPlainName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

}
