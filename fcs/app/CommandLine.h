#pragma once

#include <QString>
#include <QStringList>

// What tervofcs understands on its command line. "FakeNXT" (any case, with or
// without a leading "/" or "-") turns on fake module messaging; options that
// start with "--" are the program's own additions; anything else is ignored.
struct CommandLine {
    bool fakeNxt = false;
    QString matchesFile; // --matches FILE

    static CommandLine Parse(const QStringList& arguments);
};
