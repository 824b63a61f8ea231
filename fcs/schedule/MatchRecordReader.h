#pragma once

#include <QString>
#include <QStringList>

class TextLineReader;

// The settings that a configuration block inside a match file replaces: the
// three lengths always, the password when the block gives a non-empty one.
struct MatchFileSettings {
    int autonomousSeconds = 30;
    int teleopSeconds = 120;
    int warningSeconds = 30;
    QString password;
};

// What ReadMatchRecord found. The first four keep the match file's numbering.
enum class RecordKind {
    None = 0,   // end of file, a failed configuration block, or a bar line that ends early
    Joined = 1, // comma-separated with "+"-joined alliances, normalised to eight columns
    Bar = 2,    // the scoring server's bar-separated line, normalised to eight columns
    Plain = 3,  // comma-separated, as many columns as the line has
    Malformed,  // too few fields (or an over-long line): the load stops here
    ReadError,  // the file could not be read; the reader has the cause
};

// Reads the next record into fields (emptied first). A line holding
// "MajorVersion" starts a configuration block, applied to settings.
RecordKind ReadMatchRecord(TextLineReader& file, QStringList& fields, MatchFileSettings& settings);

// The record of one line, without the configuration-block rule.
RecordKind ParseMatchLine(const QString& line, QStringList& fields);
