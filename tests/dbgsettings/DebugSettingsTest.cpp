#include "tests/support/MemorySettingsStore.h"
#include "tests/support/FakeClock.h"

#include "dbgsettings/DebugSettingsDialog.h"
#include "fcs/app/PreferencesStore.h"
#include "platform/QtSettingsStore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kSec = QStringLiteral("Preferences");

TEST(DebugSettings, FreshStoreShowsDefaultsAndOkCreatesTheFourValues)
{
    MemorySettingsStore store;
    DebugSettingsDialog dialog(DebugSettings::Load(store));
    EXPECT_TRUE(dialog.pathEdit()->text().isEmpty());
    EXPECT_EQ(dialog.frequencyEdit()->text(), QStringLiteral("30"));
    EXPECT_FALSE(dialog.replyCheck()->isChecked());
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    dialog.settings().Save(store);
    EXPECT_EQ(store.values.size(), 4);
    EXPECT_EQ(store.readInt(kSec, "Joystick Frequency", 0), 30);
    EXPECT_EQ(store.readInt(kSec, "Debug Fake Messaging", -1), 0);
}

TEST(DebugSettings, EditedValuesAndHiddenFakeMessagingSurvive)
{
    MemorySettingsStore store;
    store.writeInt(kSec, "Joystick Frequency", 50);
    store.writeInt(kSec, "Debug Fake Messaging", 1);
    DebugSettingsDialog dialog(DebugSettings::Load(store));
    EXPECT_EQ(dialog.frequencyEdit()->text(), QStringLiteral("50"));
    dialog.pathEdit()->setText("/tmp/field.log");
    dialog.replyCheck()->setChecked(true);
    dialog.accept();
    dialog.settings().Save(store);
    EXPECT_EQ(store.readInt(kSec, "Joystick Frequency", 0), 50);
    EXPECT_EQ(store.readInt(kSec, "Joystick Reply Required", 0), 1);
    EXPECT_EQ(store.readInt(kSec, "Debug Fake Messaging", 0), 1);
    EXPECT_EQ(store.readString(kSec, "Debug Log", {}), QStringLiteral("/tmp/field.log"));
}

TEST(DebugSettings, NonIntegerFrequencyIsRefusedAndTheDialogStays)
{
    MemorySettingsStore store;
    DebugSettingsDialog dialog(DebugSettings::Load(store));
    QStringList reported;
    dialog.setErrorReporter([&](const QString& text) { reported << text; });
    dialog.show();
    dialog.frequencyEdit()->clear();
    dialog.accept();
    EXPECT_EQ(reported, QStringList{QStringLiteral("Please enter an integer.")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    QTest::keyClicks(dialog.frequencyEdit(), "7x5");
    EXPECT_EQ(dialog.frequencyEdit()->text(), QStringLiteral("75")) << "digits only";
}

TEST(DebugSettings, BrowseReplacesThePathAndUndoesOtherEdits)
{
    MemorySettingsStore store;
    store.writeInt(kSec, "Joystick Frequency", 40);
    DebugSettingsDialog dialog(DebugSettings::Load(store));
    dialog.setFileChooser([](QWidget*, const QString&) { return QStringLiteral("/logs/new.log"); });
    dialog.frequencyEdit()->setText("99");
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.pathEdit()->text(), QStringLiteral("/logs/new.log"));
    EXPECT_EQ(dialog.frequencyEdit()->text(), QStringLiteral("40"));

    dialog.setFileChooser([](QWidget*, const QString&) { return QString(); });
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.pathEdit()->text(), QStringLiteral("/logs/new.log")) << "cancel changes nothing";
}

// Both programs use one store file: what one writes, the other reads.
TEST(SharedStore, TervoDbLgAndTervofcsSeeEachOthersValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tervofcs.ini");
    {
        QtSettingsStore store(path);
        Preferences prefs = PreferencesStore::load(store, QTime(10, 0, 0), 3, 0);
        prefs.joystickFrequency = 45;
        prefs.joystickReplyRequired = 1;
        PreferencesStore::save(store, prefs);
    }
    {
        QtSettingsStore store(path);
        DebugSettings settings = DebugSettings::Load(store);
        EXPECT_EQ(settings.joystickFrequency, 45);
        EXPECT_EQ(settings.joystickReplyRequired, 1);
        settings.joystickFrequency = 60;
        settings.Save(store);
    }
    QtSettingsStore store(path);
    const Preferences prefs = PreferencesStore::load(store, QTime(10, 0, 0), 3, 0);
    EXPECT_EQ(prefs.joystickFrequency, 60);
    EXPECT_EQ(prefs.password, QStringLiteral("100000"));

    // And the default location of both is VANTO/tervofcs.
    EXPECT_TRUE(QtSettingsStore().fileName().endsWith(QStringLiteral("VANTO/tervofcs.ini")));
}

} // namespace
