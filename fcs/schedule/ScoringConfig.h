#pragma once

#include <QString>
#include <QtGlobal>

class TextLineReader;

// What a scoring-server configuration file, or the configuration block at the
// head of a match file, sets. The caller fills in the current settings first;
// the reader changes only what the block names.
struct ScoringConfig {
    QString password;
    int majorVersion = 0;
    int minorVersion = 0;
    int autonomousSeconds = 30;
    int teleopSeconds = 120;
    int warningSeconds = 30;
    bool autonomousEnabled = true;
    bool teleopEnabled = true;
    bool endOfMatchWarning = true;
    bool pauseBetweenPeriods = true;
    int key1 = 0;
    int key2 = 0;
    quint16 ftpPort = 8721;
    quint16 messagePort = 0;
    quint32 address = 0; // host order; 0xFFFFFFFF when the text was not an address
};

// Reads configuration lines until "EndConfig" (true), the end of the file
// (true) or a line with an unknown key or no key (false). Reading stops right
// after that line, so the caller can go on reading the rest of the file.
bool ReadScoringConfig(TextLineReader& file, ScoringConfig& config);

// One configuration line applied to the record; false when the line ends the
// block unsuccessfully, and sets endOfBlock on "EndConfig".
bool ApplyScoringConfigLine(const QString& line, ScoringConfig& config, bool& endOfBlock);

// Dotted IPv4 text to a host-order address; 0xFFFFFFFF when it is not one.
quint32 ParseDottedIPv4(const QString& text);
