#include "tests/support/ScriptedPrompt.h"
#include "wificfg/AboutBox.h"
#include "wificfg/DriveSelectDialog.h"
#include "wificfg/FixedDriveList.h"
#include "wificfg/NetworkSetupDialog.h"
#include "wificfg/SearchingWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList items(const QComboBox* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

// What the operator does when picking a row from the drop-down list.
void pickRow(QComboBox* list, int row)
{
    list->setCurrentIndex(row);
    emit list->activated(row);
}

bool keyBoxesEnabled(const NetworkSetupDialog& dialog)
{
    const bool key = dialog.keyEdit()->isEnabled();
    EXPECT_EQ(dialog.confirmKeyEdit()->isEnabled(), key);
    EXPECT_EQ(dialog.keyIndexBox()->isEnabled(), key);
    return key;
}

class NetworkSetupDialogTest : public ::testing::Test {
protected:
    QString drive(const QString& name)
    {
        QDir().mkpath(dir.filePath(name));
        return dir.filePath(name);
    }
    QByteArray read(const QString& relative)
    {
        QFile file(dir.filePath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::unique_ptr<NetworkSetupDialog> open(const FixedDriveList& drives, SettingsRole role = SettingsRole::Secondary)
    {
        auto dialog = std::make_unique<NetworkSetupDialog>(role, drives, prompt);
        dialog->setDriveChooser([this](const QStringList& list) {
            offered << list;
            return std::optional<QString>();
        });
        dialog->show();
        return dialog;
    }
    // Lets the posted save or load run.
    static void settle() { QApplication::processEvents(); }

    QTemporaryDir dir;
    ScriptedPrompt prompt;
    QList<QStringList> offered;
    const FixedDriveList noDrives{{}};
};

TEST_F(NetworkSetupDialogTest, FreshStartShowsEmptyListsAndDisabledKeyBoxes)
{
    auto dialog = open(noDrives);
    EXPECT_EQ(dialog->windowTitle(), "Tervana Network Setup");
    EXPECT_EQ(dialog->roleLabel()->text(), "Secondary");
    EXPECT_EQ(items(dialog->authenticationList()), (QStringList{"Open", "Shared", "WPA-PSK", "WPA2-PSK"}));
    EXPECT_EQ(dialog->authenticationList()->currentIndex(), -1);
    EXPECT_EQ(items(dialog->encryptionList()), (QStringList{"Disabled", "WEP"}));
    EXPECT_EQ(dialog->encryptionList()->currentIndex(), -1);
    EXPECT_FALSE(keyBoxesEnabled(*dialog));
    EXPECT_EQ(dialog->ssidEdit()->text(), "");
    EXPECT_EQ(dialog->keyIndexBox()->value(), 1);
    EXPECT_EQ(dialog->keyIndexBox()->minimum(), 1);
    EXPECT_EQ(dialog->keyIndexBox()->maximum(), 4);
    EXPECT_FALSE(dialog->adHocBox()->isChecked());
    EXPECT_FALSE(dialog->searchingWindow()->isVisible());
    EXPECT_TRUE(dialog->saveButton()->isDefault());
}

TEST_F(NetworkSetupDialogTest, PrimaryRoleIsShown)
{
    auto dialog = open(noDrives, SettingsRole::Primary);
    EXPECT_EQ(dialog->roleLabel()->text(), "Primary");
}

TEST_F(NetworkSetupDialogTest, ChoosingOpenThenWepEnablesTheKeyBoxes)
{
    auto dialog = open(noDrives);
    pickRow(dialog->authenticationList(), 0);
    EXPECT_FALSE(keyBoxesEnabled(*dialog));
    pickRow(dialog->encryptionList(), 1);
    EXPECT_TRUE(keyBoxesEnabled(*dialog));
    pickRow(dialog->authenticationList(), 2);
    EXPECT_EQ(items(dialog->encryptionList()), (QStringList{"AES", "TKIP"}));
    EXPECT_EQ(dialog->encryptionList()->currentText(), "TKIP");
    pickRow(dialog->authenticationList(), 0);
    pickRow(dialog->encryptionList(), 0);
    EXPECT_FALSE(keyBoxesEnabled(*dialog));
}

TEST_F(NetworkSetupDialogTest, TickingAdHocOnWpa2PskLeavesOpenAndShared)
{
    auto dialog = open(noDrives);
    dialog->show();
    pickRow(dialog->authenticationList(), 3);
    pickRow(dialog->encryptionList(), 0);
    QTest::mouseClick(dialog->adHocBox(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(dialog->adHocBox()->isChecked());
    EXPECT_EQ(items(dialog->authenticationList()), (QStringList{"Open", "Shared"}));
    EXPECT_EQ(dialog->authenticationList()->currentText(), "Open");
    EXPECT_EQ(items(dialog->encryptionList()), (QStringList{"Disabled", "WEP"}));
    EXPECT_EQ(dialog->encryptionList()->currentText(), "Disabled");
    EXPECT_FALSE(keyBoxesEnabled(*dialog));
}

TEST_F(NetworkSetupDialogTest, EnterInATextBoxPressesSave)
{
    const FixedDriveList drives({drive("stick")});
    auto dialog = open(drives);
    dialog->show();
    pickRow(dialog->authenticationList(), 1);
    pickRow(dialog->encryptionList(), 0);
    dialog->ssidEdit()->setText("lab");
    dialog->keyEdit()->setText("ABCDEFGHIJKLM");
    dialog->confirmKeyEdit()->setText("ABCDEFGHIJKLM");
    for (QWidget* box : {static_cast<QWidget*>(dialog->ssidEdit()), static_cast<QWidget*>(dialog->confirmKeyEdit()),
                         static_cast<QWidget*>(dialog->keyIndexBox())}) {
        prompt.asked.clear();
        QFile::remove(dir.filePath("stick/DOZODURU/WSETTING.TXT"));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(dialog->searchingWindow()->isVisible());
        settle();
        EXPECT_FALSE(dialog->searchingWindow()->isVisible());
        EXPECT_EQ(prompt.asked, QStringList{"Configuration written to " + dir.filePath("stick")});
        EXPECT_TRUE(read("stick/DOZODURU/WSETTING.TXT").contains("Network Authentication Type: Shared\r\n"));
    }
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(NetworkSetupDialogTest, RefusedKeysSearchNothingAndStayTyped)
{
    const FixedDriveList drives({drive("stick")});
    auto dialog = open(drives);
    pickRow(dialog->authenticationList(), 0);
    pickRow(dialog->encryptionList(), 1);
    dialog->ssidEdit()->setText("lab");
    dialog->keyEdit()->setText("012345678g");
    dialog->confirmKeyEdit()->setText("012345678g");
    QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->searchingWindow()->isVisible());
    settle();
    EXPECT_EQ(prompt.asked, QStringList{"WEP key contains non-hex characters (0-9 A-F)"});
    EXPECT_EQ(dialog->keyEdit()->text(), "012345678g");
    EXPECT_EQ(dialog->ssidEdit()->text(), "lab");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("stick/DOZODURU")));
}

TEST_F(NetworkSetupDialogTest, ConvertedPassphraseShowsInBothKeyBoxes)
{
    const FixedDriveList drives({drive("stick")});
    auto dialog = open(drives);
    pickRow(dialog->authenticationList(), 3);
    pickRow(dialog->encryptionList(), 0);
    dialog->ssidEdit()->setText("IEEE");
    dialog->keyEdit()->setText("password");
    dialog->confirmKeyEdit()->setText("password");
    prompt.answers = {Prompt::Answer::Ok};
    QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
    settle();
    const QString psk = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";
    EXPECT_EQ(dialog->keyEdit()->text(), psk);
    EXPECT_EQ(dialog->confirmKeyEdit()->text(), psk);
    EXPECT_TRUE(read("stick/DOZODURU/WSETTING.TXT").contains("Network Key (WEP/WPA Key): " + psk.toLatin1()));
    EXPECT_EQ(dialog->authenticationList()->currentText(), "WPA2-PSK");
}

TEST_F(NetworkSetupDialogTest, TwoDrivesAskAndCancelWritesNothing)
{
    const FixedDriveList drives({drive("usb2"), drive("usb1")});
    auto dialog = open(drives);
    pickRow(dialog->authenticationList(), 0);
    pickRow(dialog->encryptionList(), 0);
    QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
    settle();
    EXPECT_EQ(offered, (QList<QStringList>{{dir.filePath("usb1"), dir.filePath("usb2")}}));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("usb1/DOZODURU")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("usb2/DOZODURU")));
    EXPECT_FALSE(dialog->searchingWindow()->isVisible());
}

TEST_F(NetworkSetupDialogTest, LoadShowsTheValuesRead)
{
    const QString stick = drive("stick");
    QDir().mkpath(stick + "/DOZODURU");
    QFile file(stick + "/DOZODURU/WSETTING.TXT");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Network Name (SSID): pits\r\nNetwork Key (WEP/WPA Key): 0123456789\r\n"
               "Network Authentication Type: Open\r\nData Encryption Type: WEP\r\nConnection Type: IBSS\r\n"
               "Key Index: 3\r\n");
    file.close();
    const FixedDriveList drives({stick});
    auto dialog = open(drives);
    QTest::mouseClick(dialog->loadButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog->searchingWindow()->isVisible());
    settle();
    EXPECT_FALSE(dialog->searchingWindow()->isVisible());
    EXPECT_TRUE(prompt.asked.isEmpty());
    EXPECT_EQ(dialog->ssidEdit()->text(), "pits");
    EXPECT_EQ(dialog->keyEdit()->text(), "0123456789");
    EXPECT_EQ(dialog->confirmKeyEdit()->text(), "0123456789");
    EXPECT_TRUE(dialog->adHocBox()->isChecked());
    EXPECT_EQ(items(dialog->authenticationList()), (QStringList{"Open", "Shared"}));
    EXPECT_EQ(dialog->authenticationList()->currentText(), "Open");
    EXPECT_EQ(dialog->encryptionList()->currentText(), "WEP");
    EXPECT_EQ(dialog->keyIndexBox()->value(), 3);
    EXPECT_TRUE(keyBoxesEnabled(*dialog));
}

TEST_F(NetworkSetupDialogTest, ExitClosesWithoutSaving)
{
    const FixedDriveList drives({drive("stick")});
    auto dialog = open(drives);
    dialog->show();
    QTest::mouseClick(dialog->exitButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("stick/DOZODURU")));
}

TEST_F(NetworkSetupDialogTest, EscapeClosesWithoutSaving)
{
    const FixedDriveList drives({drive("stick")});
    auto dialog = open(drives);
    dialog->ssidEdit()->setFocus();
    QTest::keyClick(dialog->ssidEdit(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("stick/DOZODURU")));
}

TEST_F(NetworkSetupDialogTest, AboutEntryFollowsASeparator)
{
    auto dialog = open(noDrives);
    const QList<QAction*> actions = dialog->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1], dialog->aboutAction());
    EXPECT_EQ(actions[1]->text(), "&About TervoCfg...");
    EXPECT_EQ(dialog->contextMenuPolicy(), Qt::ActionsContextMenu);

    const AboutBox about;
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("TervoCfg Version 1.0"));
    EXPECT_EQ(about.findChildren<QPushButton*>().size(), 1);
}

TEST(DriveSelectDialog, ListsSortedWithTheTopSelected)
{
    DriveSelectDialog dialog({"/media/zeta", "/media/alpha", "/media/mid"});
    EXPECT_EQ(dialog.windowTitle(), "Select Wireless Config");
    ASSERT_EQ(dialog.list()->count(), 3);
    EXPECT_EQ(dialog.list()->item(0)->text(), "/media/alpha");
    EXPECT_EQ(dialog.list()->item(2)->text(), "/media/zeta");
    EXPECT_EQ(dialog.selectedDrive(), "/media/alpha");
}

TEST(DriveSelectDialog, DoubleClickChoosesThatDrive)
{
    DriveSelectDialog dialog({"/media/b", "/media/a"});
    dialog.show();
    QListWidgetItem* item = dialog.list()->item(1);
    const QPoint at = dialog.list()->visualItemRect(item).center();
    QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedDrive(), "/media/b");
}

TEST(DriveSelectDialog, CancelChoosesNone)
{
    DriveSelectDialog dialog({"/media/a", "/media/b"});
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}
