#include "fcs/schedule/InPlaceEdit.h"
#include "fcs/schedule/MatchArray.h"
#include "fcs/schedule/MatchListCtrl.h"
#include "fcs/schedule/SetupMatches.h"
#include "tests/support/ScriptedPrompt.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Answer = Prompt::Answer;

class SetupMatches : public ::testing::Test {
protected:
    SetupMatches() { schedule.SetStatusTexts("Played", "Halted"); }

    void addMatches(int count)
    {
        for (int i = 1; i <= count; ++i)
            schedule.AddMatch(QString::number(i), 1, QString::number(i * 10), "0002", {}, "0003", {}, {}, {});
    }
    CSetupMatches& open()
    {
        dialog = std::make_unique<CSetupMatches>(
            schedule, CSetupMatches::Services{prompt, settings, [this] { return integration; },
                                              fetch, dir.filePath("MachList.csv")});
        dialog->setFileChooser([this](QWidget*, const FileRequest& request) {
            requests.push_back(request);
            return chosenPath;
        });
        dialog->setFieldChooser([this] { return fields; });
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }
    QPushButton* button(int id) { return qobject_cast<QPushButton*>(dialog->control(id)); }
    void click(int id) { QTest::mouseClick(button(id), Qt::LeftButton); }
    QString currentLabel() { return qobject_cast<QLabel*>(dialog->control(204))->text(); }
    void clickCell(int row, int column)
    {
        CMatchListCtrl& list = dialog->list();
        const QRect rect = list.visualRect(list.model()->index(row, column));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    }
    CInPlaceEdit* edit() { return dialog->list().activeEdit(); }
    void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    QStringList labels()
    {
        QStringList cells;
        for (int r = 0; r < dialog->table().rowCount(); ++r)
            cells << dialog->table().cell(r, 0);
        return cells;
    }

    QTemporaryDir dir;
    CMatchArray schedule;
    ScriptedPrompt prompt;
    MatchFileSettings settings;
    bool integration = false;
    std::function<bool(const QString&)> fetch;
    std::vector<FileRequest> requests;
    QString chosenPath;
    FieldAllocation fields;
    std::unique_ptr<CSetupMatches> dialog;
};

TEST_F(SetupMatches, EmptyScheduleStaysEmpty)
{
    open();
    EXPECT_EQ(dialog->table().rowCount(), 0);
    EXPECT_EQ(currentLabel(), "");
    EXPECT_FALSE(button(196)->isEnabled());
    EXPECT_FALSE(button(200)->isEnabled());
    EXPECT_FALSE(button(111)->isEnabled());
    EXPECT_EQ(button(193)->text(), "Add Match");
    click(1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(schedule.GetCount(), 0);
    EXPECT_EQ(schedule.GetCurrentIndex(), -1);
}

TEST_F(SetupMatches, OpensWithTheScheduleAndItsCurrentMatch)
{
    addMatches(3);
    schedule.GetMatch(0)->m_nStatus = 1;
    schedule.GetMatch(1)->m_nStatus = 2;
    schedule.SetCurrentIndex(1);
    open();
    EXPECT_EQ(dialog->table().row(0), (MatchTable::Row{"1", "10", "0002", "0003", "", "Played", "Qualification"}));
    EXPECT_EQ(dialog->table().cell(1, 5), "Halted");
    EXPECT_EQ(currentLabel(), "2");
    EXPECT_FALSE(dialog->modified());
}

TEST_F(SetupMatches, AddMatchThreeTimesNumbersTheRows)
{
    open();
    for (int i = 0; i < 3; ++i)
        click(193);
    EXPECT_EQ(labels(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(dialog->table().cell(2, 6), "Practice");
    EXPECT_TRUE(dialog->modified());
}

TEST_F(SetupMatches, InsertBeforeTheSelectedRowMovesTheCurrentRow)
{
    addMatches(5);
    schedule.SetCurrentIndex(3);
    open();
    clickCell(2, 0);
    EXPECT_EQ(dialog->list().selectedRow(), 2);
    EXPECT_EQ(button(193)->text(), "Insert Match");
    EXPECT_TRUE(button(196)->isEnabled());
    click(193);
    EXPECT_EQ(labels(), (QStringList{"1", "2", "New", "3", "4", "5"}));
    EXPECT_EQ(dialog->currentRow(), 4);
    EXPECT_EQ(currentLabel(), "4");
    click(1);
    EXPECT_EQ(schedule.GetCount(), 6);
    EXPECT_EQ(schedule.GetCurrentIndex(), 4);
    EXPECT_EQ(schedule.GetCurrentMatch()->m_strNumber, "4");
}

TEST_F(SetupMatches, DeleteAsksAndKeepsTheCurrentRowIndex)
{
    addMatches(3);
    schedule.SetCurrentIndex(1);
    open();
    clickCell(1, 0);
    prompt.answers = {Answer::Cancel};
    click(196);
    ASSERT_EQ(prompt.asked.size(), 1);
    EXPECT_EQ(prompt.asked[0], "You are deleting:\r\n\r\n Match 2\r\n\r\n   Red Teams 20 and 0002\r\n"
                               "   Blue Teams 0003 and <NONE>\r\n\r\nAre you sure you want to remove it?");
    EXPECT_EQ(dialog->table().rowCount(), 3);
    EXPECT_FALSE(dialog->modified());

    prompt.answers = {Answer::Ok};
    click(196);
    EXPECT_EQ(labels(), (QStringList{"1", "3"}));
    EXPECT_EQ(dialog->currentRow(), 1); // the next row becomes current
    EXPECT_EQ(currentLabel(), "3");
    EXPECT_FALSE(button(196)->isEnabled());

    clickCell(0, 0);
    prompt.answers = {Answer::Ok};
    click(196);
    EXPECT_EQ(dialog->currentRow(), 0); // a row before the current one went
    clickCell(0, 0);
    prompt.answers = {Answer::Ok};
    click(196);
    EXPECT_EQ(dialog->currentRow(), 0);
    EXPECT_EQ(dialog->table().rowCount(), 0);
    click(1);
    EXPECT_EQ(schedule.GetCurrentIndex(), -1);
}

TEST_F(SetupMatches, SetCurrentAndRemoveAll)
{
    addMatches(3);
    open();
    clickCell(2, 0);
    click(200);
    EXPECT_EQ(currentLabel(), "3");
    EXPECT_FALSE(dialog->modified());
    click(201);
    EXPECT_EQ(dialog->table().rowCount(), 0);
    EXPECT_EQ(dialog->currentRow(), -1);
    EXPECT_TRUE(dialog->modified());
}

TEST_F(SetupMatches, SecondClickOnTheFocusedRowEditsTheCell)
{
    addMatches(3);
    open();
    clickCell(1, 2);
    EXPECT_EQ(edit(), nullptr); // the first click selects
    EXPECT_EQ(dialog->list().selectedRow(), 1);
    clickCell(1, 0);
    EXPECT_EQ(edit(), nullptr); // the label column never edits in place
    clickCell(1, 2);
    ASSERT_NE(edit(), nullptr);
    EXPECT_TRUE(dialog->modified());
    EXPECT_EQ(edit()->text(), "0002");
    EXPECT_EQ(edit()->selectedText(), "0002");
    QTest::keyClicks(edit(), "1234");
    QTest::keyClick(edit(), Qt::Key_Return);
    settle();
    EXPECT_EQ(edit(), nullptr);
    EXPECT_EQ(dialog->table().cell(1, 2), "1234");
    EXPECT_TRUE(dialog->isVisible()); // Enter did not press OK
}

TEST_F(SetupMatches, EscCancelsTheEditButCancelStillAsks)
{
    addMatches(2);
    open();
    clickCell(0, 1);
    clickCell(0, 1);
    ASSERT_NE(edit(), nullptr);
    QTest::keyClicks(edit(), "zzz");
    QTest::keyClick(edit(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialog->table().cell(0, 1), "10");
    EXPECT_TRUE(dialog->isVisible()); // Esc did not press Cancel

    prompt.answers = {Answer::Cancel};
    click(2);
    EXPECT_EQ(prompt.asked, QStringList{"Match List has been modified.  Throw away results?"});
    EXPECT_TRUE(dialog->isVisible());
    prompt.answers = {Answer::Ok};
    click(2);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(SetupMatches, CancelWithoutChangesClosesAtOnce)
{
    addMatches(2);
    open();
    click(2);
    EXPECT_TRUE(prompt.asked.isEmpty());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SetupMatches, EditEndsWhenTheFocusMovesOrTheListScrolls)
{
    addMatches(60);
    open();
    clickCell(0, 3);
    clickCell(0, 3);
    ASSERT_NE(edit(), nullptr);
    QTest::keyClicks(edit(), "77");
    dialog->list().verticalScrollBar()->setValue(10);
    settle();
    EXPECT_EQ(edit(), nullptr);
    EXPECT_EQ(dialog->table().cell(0, 3), "77");
}

TEST_F(SetupMatches, TypedStatusAndTypeComeBackAtOk)
{
    addMatches(2);
    open();
    for (const auto& [column, text] : {std::pair{5, "played"}, std::pair{6, "final"}}) {
        clickCell(1, column);
        clickCell(1, column);
        ASSERT_NE(edit(), nullptr);
        QTest::keyClicks(edit(), text);
        QTest::keyClick(edit(), Qt::Key_Enter);
        settle();
    }
    click(1);
    EXPECT_EQ(schedule.GetMatch(1)->m_nStatus, 1);
    EXPECT_EQ(schedule.GetMatch(1)->m_nType, 4);
}

TEST_F(SetupMatches, LoadAndSaveThroughTheChooser)
{
    const QString path = dir.filePath("in.csv");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Match,Red Team 1,Red Team 2,Blue Team 1,Blue Team 2\n1,1,2,3,4\n2,5,6,7,8\n3,1,2,3,4\n");
    file.close();
    addMatches(1);
    open();
    chosenPath = path;
    fields = {2, 1};
    click(114);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].mode, FileRequest::Mode::Open);
    EXPECT_EQ(requests[0].defaultExtension, "csv");
    EXPECT_EQ(requests[0].defaultName, "matches");
    EXPECT_EQ(requests[0].filter, "Match and Score Files (*.csv;*.txt)|*.csv; *.txt|Match Files (*.csv)|*.csv|"
                                  "Score Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(labels(), (QStringList{"1", "3", "2"}));
    EXPECT_EQ(currentLabel(), "2");
    EXPECT_TRUE(dialog->modified());

    dialog->table().modified = false;
    chosenPath = dir.filePath("out.csv");
    click(198);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].mode, FileRequest::Mode::Save);
    EXPECT_EQ(requests[1].defaultName, "");
    EXPECT_EQ(requests[1].filter, "Match Files (*.csv)|*.csv|All Files (*.*)|*.*||");
    EXPECT_TRUE(QFile::exists(chosenPath));
    EXPECT_FALSE(dialog->modified());

    chosenPath.clear(); // a cancelled chooser does nothing
    click(114);
    EXPECT_EQ(labels(), (QStringList{"1", "3", "2"}));
}

TEST_F(SetupMatches, LoadFromServerOnlyWhileIntegrationIsActive)
{
    QStringList fetched;
    fetch = [&fetched](const QString& local) {
        fetched << local;
        QFile file(local);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("1|Match Type|Number|RED 1|RED 2|RED 3|BLUE 1|BLUE 2|BLUE 3|F\n1|1|9|1|2|0|3|4|0|F\n");
        return true;
    };
    open();
    EXPECT_FALSE(button(111)->isEnabled());
    dialog->OnLoadFromServer();
    EXPECT_TRUE(fetched.isEmpty());

    integration = true;
    dialog->UpdateCommandStates();
    EXPECT_TRUE(button(111)->isEnabled());
    click(111);
    EXPECT_EQ(fetched, QStringList{dir.filePath("MachList.csv")});
    EXPECT_EQ(labels(), QStringList{"9"});
}

}
