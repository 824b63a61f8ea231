#include "fcs/app/CommandLine.h"

CommandLine CommandLine::Parse(const QStringList& arguments)
{
    CommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--matches") && i + 1 < arguments.size()) {
            line.matchesFile = arguments[++i];
            continue;
        }
        if (argument.startsWith(QLatin1String("--matches="))) {
            line.matchesFile = argument.mid(10);
            continue;
        }
        QString parameter = argument;
        if (parameter.startsWith(QLatin1Char('/')) || parameter.startsWith(QLatin1Char('-')))
            parameter.remove(0, 1);
        if (parameter.compare(QLatin1String("FakeNXT"), Qt::CaseInsensitive) == 0)
            line.fakeNxt = true;
    }
    return line;
}
