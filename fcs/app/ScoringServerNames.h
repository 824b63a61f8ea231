#pragma once

#include <QString>

// The names of the scoring server's files, relative to the login directory.
// A name that comes from outside (a team text, an identity) must be one plain
// file-name segment; otherwise the name is empty and nothing is transferred.
namespace ScoringServerNames {

QString MatchList();                                 // "Matches.txt"
QString MatchLog(const QString& fcsIdentity);        // "matchlog/<identity>_JRVMatch.csv"
QString DebugLog(const QString& matchLogName);       // "debugLog/<name>.log"
QString TeamLogo(const QString& team);               // "icons/<team>.png"
// The local file name of a team logo (for the "teamtimerlogo" folder).
QString TeamLogoFile(const QString& team);           // "<team>.png"

// True when the text can stand as one file name on the server and locally:
// not empty, not "." or "..", no separators and no control characters.
bool IsPlainName(const QString& name);

}
