#include "fcs/app/Competition.h"
#include "fcs/app/TervoFCSApp.h"
#include "fcs/schedule/AllianceAssignment.h"
#include "fcs/schedule/SetupMatches.h"
#include "tests/support/FakeClock.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

// Handles the next modal dialog of type T (closing any other modal dialog
// that turns up first); gives up after two seconds.
template <typename T>
void whenModal(std::function<void(T&)> handle)
{
    auto* poll = new QTimer;
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(poll, &QTimer::timeout, [poll, elapsed, handle] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal)) {
            poll->stop();
            poll->deleteLater();
            delete elapsed;
            handle(*dialog);
            return;
        }
        if (auto* other = qobject_cast<QDialog*>(modal); other && !qobject_cast<CCompetition*>(modal))
            other->reject();
        if (elapsed->elapsed() > 2000) {
            poll->stop();
            poll->deleteLater();
            delete elapsed;
            ADD_FAILURE() << "no modal dialog appeared";
        }
    });
    poll->start(5);
}

class MainWindowSchedule : public ::testing::Test {
protected:
    void start(QStringList arguments = {})
    {
        app = std::make_unique<CTervoFCSApp>(
            CTervoFCSApp::Platform{clock, wall, store, sound, prompt, temp.folders(), "FIELD1"});
        arguments.prepend("tervofcs");
        ASSERT_TRUE(app->Initialise(arguments));
        window = std::make_unique<CCompetition>(*app);
    }
    QString text(int id)
    {
        QWidget* w = window->control(id);
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        if (auto* button = qobject_cast<QPushButton*>(w))
            return button->text();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
            return plain->toPlainText();
        return {};
    }
    QStringList teams() { return {text(168), text(169), text(170), text(171)}; }
    QStringList onDeck() { return {text(191), text(235), text(233), text(238), text(234)}; }
    static QString fixture(const char* name)
    {
        return QDir(qEnvironmentVariable("TERVANA_SOURCE_DIR"))
            .filePath(QStringLiteral("tests/schedule/data/") + QLatin1String(name));
    }

    TempFolders temp;
    FakeClock clock;
    FixedWallClock wall;
    MemorySettingsStore store;
    RecordingSound sound;
    ScriptedPrompt prompt;
    std::unique_ptr<CTervoFCSApp> app;
    std::unique_ptr<CCompetition> window;
};

TEST_F(MainWindowSchedule, WithoutASchedule)
{
    start();
    EXPECT_EQ(text(195), "No Active Match");
    EXPECT_EQ(onDeck(), (QStringList{"No Matches Remaining", "", "", "", ""}));
    EXPECT_TRUE(teams().join("").isEmpty());
    EXPECT_TRUE(window->control(187)->isEnabled());
    EXPECT_TRUE(window->control(189)->isEnabled());
    EXPECT_TRUE(window->control(196)->isHidden());
    window->LoadOnDeck();
    EXPECT_EQ(text(195), "No Active Match");
}

TEST_F(MainWindowSchedule, MatchesFilePlaysMatchAfterMatch)
{
    start({"--matches", fixture("spreadsheet.csv")});
    EXPECT_TRUE(prompt.asked.isEmpty()) << prompt.asked.join('|').toStdString();
    EXPECT_EQ(app->matchList().GetCount(), 7);
    EXPECT_EQ(text(195), "Match 1");
    EXPECT_EQ(teams(), (QStringList{"0007", "0023", "0456", "1234"}));
    EXPECT_EQ(onDeck(), (QStringList{"Match 2", "Red:", "0012,0034", "Blue:", "0056,0078"}));

    window->LoadOnDeck();
    EXPECT_EQ(text(195), "Match 2");
    EXPECT_EQ(teams(), (QStringList{"0012", "0034", "0056", "0078"}));
    window->LoadOnDeck();
    window->LoadOnDeck();
    EXPECT_EQ(text(195), "Match 4");
    EXPECT_EQ(onDeck(), (QStringList{"Match 5", "Red:", "0001,0002,0003", "Blue:", "0004,0005,0006"}));

    // Match 5 has alliances of three: the choice is asked for at once.
    whenModal<CAllianceAssignment>([](CAllianceAssignment& dialog) {
        EXPECT_EQ(qobject_cast<QAbstractButton*>(dialog.control(259))->text(), "Red1:0002\nRed2:0003");
        QTest::mouseClick(dialog.control(259), Qt::LeftButton);
        QTest::mouseClick(dialog.control(264), Qt::LeftButton);
        QTest::mouseClick(dialog.control(1), Qt::LeftButton);
    });
    window->LoadOnDeck();
    EXPECT_EQ(text(195), "Match 5");
    EXPECT_FALSE(window->control(196)->isHidden());
    EXPECT_EQ(teams(), (QStringList{"0002", "0003", "0004", "0006"}));

    // Cancel keeps the remembered choices and fills the boxes from them.
    whenModal<CAllianceAssignment>([](CAllianceAssignment& dialog) {
        QTest::mouseClick(dialog.control(257), Qt::LeftButton);
        QTest::mouseClick(dialog.control(2), Qt::LeftButton);
    });
    QTest::mouseClick(window->control(196), Qt::LeftButton);
    EXPECT_EQ(teams(), (QStringList{"0002", "0003", "0004", "0006"}));

    window->LoadOnDeck();
    EXPECT_TRUE(window->control(196)->isHidden());
    window->LoadOnDeck();
    EXPECT_EQ(text(195), "Match 7");
    EXPECT_EQ(onDeck(), (QStringList{"No Matches Remaining", "", "", "", ""}));
    window->LoadOnDeck();
    EXPECT_EQ(text(195), "Match 7");
}

TEST_F(MainWindowSchedule, SetupMatchesOkReloadsTheLengthsAndTheCurrentMatch)
{
    start();
    const QString path = temp.dir.filePath("block.csv");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("MajorVersion 1\r\nAutonomousPeriod 20\r\nTeleopPeriod 90\r\nEndConfig\r\n"
                   "Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\r\n"
                   "1,1,2,3,4\r\n2,5,6,7,8\r\n3,9,10,11,12\r\n4,13,14,15,16\r\n");
    }
    whenModal<CSetupMatches>([path](CSetupMatches& dialog) {
        EXPECT_FALSE(dialog.control(111)->isEnabled());
        dialog.setFileChooser([path](QWidget*, const FileRequest&) { return path; });
        dialog.setFieldChooser([] { return FieldAllocation{2, 1}; });
        QTest::mouseClick(dialog.control(114), Qt::LeftButton);
        QTest::mouseClick(dialog.control(1), Qt::LeftButton);
    });
    QTest::mouseClick(window->control(187), Qt::LeftButton);

    EXPECT_EQ(app->prefs().autonomousTimeLimit, 20);
    EXPECT_EQ(window->matchClock().settings().autonomousSeconds, 20);
    EXPECT_EQ(window->matchClock().settings().teleopSeconds, 90);
    EXPECT_EQ(text(192), "Autonomous: 0:20\nTeleop: 1:30");
    // Field 2 of 2 starts with its own earliest match, the file's match 2.
    EXPECT_EQ(text(195), "Match 2");
    EXPECT_EQ(teams(), (QStringList{"0005", "0006", "0007", "0008"}));
    EXPECT_EQ(onDeck()[0], "Match 4");
    window->LoadOnDeck();
    EXPECT_EQ(text(195), "Match 4");
    EXPECT_EQ(onDeck()[0], "No Matches Remaining");
}

TEST_F(MainWindowSchedule, SetupMatchesCancelLeavesTheScheduleAndTheBoxes)
{
    start({"--matches", fixture("scoring-server.txt")});
    EXPECT_EQ(text(195), "Match 1");
    whenModal<CSetupMatches>([](CSetupMatches& dialog) {
        QTest::mouseClick(dialog.control(201), Qt::LeftButton);
        QTest::mouseClick(dialog.control(2), Qt::LeftButton);
    });
    prompt.answers = {Prompt::Answer::Ok};
    QTest::mouseClick(window->control(187), Qt::LeftButton);
    EXPECT_EQ(app->matchList().GetCount(), 3);
    EXPECT_EQ(text(195), "Match 1");
    EXPECT_EQ(teams(), (QStringList{"0011", "0022", "0033", "0044"}));
}

}
