#include "tests/support/FakeClock.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

#include "fcs/app/Competition.h"
#include "fcs/app/MatchLogRows.h"
#include "fcs/app/TervoFCSApp.h"
#include "fcs/link/TeamEntry.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct MainWindowLog : ::testing::Test {
    TempFolders temp;
    FakeClock clock;
    FixedWallClock wall;
    MemorySettingsStore store;
    RecordingSound sound;
    ScriptedPrompt prompt;
    std::unique_ptr<CTervoFCSApp> app;
    std::unique_ptr<CCompetition> window;

    void start()
    {
        app = std::make_unique<CTervoFCSApp>(
            CTervoFCSApp::Platform{clock, wall, store, sound, prompt, temp.folders(), "FIELD1"});
        const QString schedule = QDir(qEnvironmentVariable("TERVANA_SOURCE_DIR"))
                                     .filePath("tests/schedule/data/spreadsheet.csv");
        ASSERT_TRUE(app->Initialise({"tervofcs", "--matches", schedule}));
        window = std::make_unique<CCompetition>(*app);
    }
    QStringList csvLines() const
    {
        QFile file(temp.dir.filePath("documents/Tervana FCS/MatchLog/JRVMatch.csv"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

TEST_F(MainWindowLog, LoadOnDeckOverAnUnplayedMatchWritesSkippedRows)
{
    start();
    auto* loadOnDeck = qobject_cast<QPushButton*>(window->control(189));
    ASSERT_NE(loadOnDeck, nullptr);
    loadOnDeck->click();
    const QStringList lines = csvLines();
    ASSERT_EQ(lines.size(), 5) << "header and one row per named position";
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("\"Match#\",\"Time\"")));
    for (int i = 1; i < 5; ++i) {
        EXPECT_TRUE(lines[i].startsWith(QStringLiteral("\"1\","))) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].contains(QStringLiteral("\"Match Skipped\""))) << lines[i].toStdString();
    }

    // The match that is current now was played: no second set of rows.
    app->matchList().GetCurrentMatch()->m_nStatus = 1;
    loadOnDeck->click();
    EXPECT_EQ(csvLines().size(), 5);
}

TEST_F(MainWindowLog, FinishedPositionsWriteTheirRows)
{
    start();
    TeamEntry& red1 = window->teamEntry(0);
    red1.messagesSent = 900;
    red1.startNxtMv = 7850;
    red1.notes = QStringLiteral("said \"hi\"");
    ASSERT_TRUE(red1.matchLog);
    red1.matchLog(red1);
    const QStringList lines = csvLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",900,")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"7.850V\"")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("said \"\"hi\"\""))) << "quotes doubled";
    EXPECT_TRUE(lines[1].contains(QStringLiteral("\"Red Team 1\"")));
}

} // namespace
