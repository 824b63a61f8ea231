// bench_schedule: loading and saving a 100,000-line match file.
#include "fcs/schedule/MatchFile.h"
#include "fcs/schedule/MatchTable.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentPrompt : public Prompt {
public:
    Answer ask(const QString&, Buttons, Icon) override { return Answer::Ok; }
};

const QString& matchFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("matches.csv"));
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        QByteArray text = "\"Match\",\"Red Team 1\",\"Red Team 2\",\"Blue Team 1\",\"Blue Team 2\"\r\n";
        for (int m = 1; m < 100000; ++m)
            text += "\"" + QByteArray::number(m) + "\",\"" + QByteArray::number(m % 997) + "\",\"12\",\"" +
                    QByteArray::number(m % 5000) + "\",\"1234\"\r\n";
        out.write(text);
        return file;
    }();
    return path;
}

void BM_LoadMatchFile(benchmark::State& state)
{
    const QString& path = matchFile();
    SilentPrompt prompt;
    MatchFileSettings settings;
    const int fields = static_cast<int>(state.range(0));
    for (auto _ : state) {
        MatchTable table;
        MatchFileContext context{prompt, settings, [fields] { return FieldAllocation{fields, 0}; }};
        LoadMatchFile(path, table, context);
        benchmark::DoNotOptimize(table.rowCount());
    }
}
BENCHMARK(BM_LoadMatchFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_SaveMatchFile(benchmark::State& state)
{
    SilentPrompt prompt;
    MatchFileSettings settings;
    MatchTable table;
    MatchFileContext context{prompt, settings, {}};
    LoadMatchFile(matchFile(), table, context);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("saved.csv"));
    for (auto _ : state)
        SaveMatchFile(out, table, prompt);
}
BENCHMARK(BM_SaveMatchFile)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
