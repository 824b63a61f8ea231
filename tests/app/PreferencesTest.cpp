#include "tests/support/MemorySettingsStore.h"

#include "fcs/app/PreferencesStore.h"

#include <gtest/gtest.h>

namespace {

const QString kSec = QStringLiteral("Preferences");
const QTime kStart(14, 5, 9);

TEST(Preferences, DefaultsOnAnEmptyStore)
{
    MemorySettingsStore store;
    const Preferences p = PreferencesStore::load(store, kStart, 3, 0);
    EXPECT_EQ(p.errorColor, 3947775);
    EXPECT_EQ(p.okColor, 28672);
    EXPECT_EQ(p.cautionColor, 65535);
    EXPECT_EQ(p.redTeamColor, 255);
    EXPECT_EQ(p.blueTeamColor, 16711680);
    EXPECT_EQ(p.autonomousTimeLimit, 30);
    EXPECT_EQ(p.warnEndOfMatchLimit, 30);
    EXPECT_EQ(p.teleopTimeLimit, 120);
    EXPECT_EQ(p.joystickFrequency, 30);
    EXPECT_EQ(p.password, QStringLiteral("140509")) << "24-hour time of day at loading";
    EXPECT_EQ(p.username, QStringLiteral("JRVScoring"));
    EXPECT_EQ(p.ssAddress, 0xFFFFFFFFu);
    EXPECT_EQ(p.minModuleMajor, 2);
    EXPECT_EQ(p.minModuleMinor, 0);
    EXPECT_EQ(p.programVersionMajor, 3);
}

TEST(Preferences, SaveWritesAllValuesInOrderAndDefaultsRoundTrip)
{
    MemorySettingsStore store;
    Preferences p = PreferencesStore::load(store, kStart, 3, 0);
    PreferencesStore::save(store, p);
    const QStringList expected = {
        "Version Major", "Version Minor", "Error color", "OK Color", "Caution Color",
        "Red Team Color", "Blue Team Color", "Autonomous Time Limit", "Teleop Time Limit",
        "Warn End of Match Limit", "Joystick Frequency", "Joystick Reply Required",
        "Debug Fake Messaging", "Password", "Username", "SS Integration", "SS Division",
        "SS Key 1", "SS Key 2", "SS IPAddr", "SS FtpPort", "SS MsgPort", "Tervana Major",
        "Tervana Minor"};
    EXPECT_EQ(store.writeOrder, expected);
    EXPECT_EQ(store.readString(kSec, "SS IPAddr", "x"), QString()) << "no address stays empty";
    EXPECT_EQ(store.readString(kSec, "Password", {}), QStringLiteral("140509"));

    // The next run keeps the stored password, not a new time of day.
    const Preferences again = PreferencesStore::load(store, QTime(9, 0, 0), 3, 0);
    EXPECT_EQ(again.password, QStringLiteral("140509"));
}

struct FixUpCase {
    bool storeVersion;
    int major;
    int minor;
    int storedAutonomous;
    int expectedAutonomous;
};

class VersionFixUp : public ::testing::TestWithParam<FixUpCase> {};

TEST_P(VersionFixUp, FortySecondsOfVersion21BecomeThirty)
{
    const FixUpCase c = GetParam();
    MemorySettingsStore store;
    store.writeInt(kSec, "Autonomous Time Limit", c.storedAutonomous);
    if (c.storeVersion) {
        store.writeInt(kSec, "Version Major", c.major);
        store.writeInt(kSec, "Version Minor", c.minor);
    }
    const Preferences p = PreferencesStore::load(store, kStart, 3, 0);
    EXPECT_EQ(p.autonomousTimeLimit, c.expectedAutonomous);
    EXPECT_EQ(p.programVersionMajor, 3) << "the program's own version replaces the stored one";
}

INSTANTIATE_TEST_SUITE_P(Preferences, VersionFixUp,
                         ::testing::Values(FixUpCase{true, 2, 1, 40, 30}, FixUpCase{false, 0, 0, 40, 30},
                                           FixUpCase{true, 2, 2, 40, 40}, FixUpCase{true, 3, 0, 40, 40},
                                           FixUpCase{true, 2, 1, 45, 45}));

TEST(Preferences, PortsKeepTheirLow16Bits)
{
    MemorySettingsStore store;
    store.writeInt(kSec, "SS FtpPort", 70000);
    store.writeInt(kSec, "SS MsgPort", 65535);
    const Preferences p = PreferencesStore::load(store, kStart, 3, 0);
    EXPECT_EQ(p.ssFtpPort, 4464);
    EXPECT_EQ(p.ssMsgPort, 65535);
}

TEST(Preferences, DottedAddressParsesAndFormats)
{
    EXPECT_EQ(PreferencesStore::parseDottedAddress("10.0.0.5"), 0x0A000005u);
    EXPECT_EQ(PreferencesStore::parseDottedAddress(""), 0xFFFFFFFFu);
    EXPECT_EQ(PreferencesStore::parseDottedAddress("10.0.0"), 0xFFFFFFFFu);
    EXPECT_EQ(PreferencesStore::parseDottedAddress("10.0.0.256"), 0xFFFFFFFFu);
    EXPECT_EQ(PreferencesStore::parseDottedAddress("a.b.c.d"), 0xFFFFFFFFu);
    EXPECT_EQ(PreferencesStore::formatDottedAddress(0xC0A80102u), QStringLiteral("192.168.1.2"));

    MemorySettingsStore store;
    store.writeString(kSec, "SS IPAddr", "172.16.4.9");
    Preferences p = PreferencesStore::load(store, kStart, 3, 0);
    PreferencesStore::save(store, p);
    EXPECT_EQ(store.readString(kSec, "SS IPAddr", {}), QStringLiteral("172.16.4.9"));
}

TEST(Preferences, FakeMessagingIsWrittenButNeverRead)
{
    MemorySettingsStore store;
    store.writeInt(kSec, "Debug Fake Messaging", 1);
    Preferences p = PreferencesStore::load(store, kStart, 3, 0);
    EXPECT_EQ(p.fakeModuleMode, 0);
    PreferencesStore::save(store, p);
    EXPECT_EQ(store.readInt(kSec, "Debug Fake Messaging", -1), 0);
}

TEST(Preferences, UnusableJoystickFrequencyRunsAtThirtyAndIsKept)
{
    struct Case {
        int stored;
        int period;
        bool usable;
    };
    for (const Case c : {Case{30, 33, true}, Case{1, 1000, true}, Case{1000, 1, true},
                         Case{100, 10, true}, Case{0, 33, false}, Case{-5, 33, false},
                         Case{1001, 33, false}}) {
        MemorySettingsStore store;
        store.writeInt(kSec, "Joystick Frequency", c.stored);
        Preferences p = PreferencesStore::load(store, kStart, 3, 0);
        EXPECT_EQ(p.timerPeriodMs(), c.period) << c.stored;
        EXPECT_EQ(p.joystickFrequencyUsable(), c.usable) << c.stored;
        PreferencesStore::save(store, p);
        EXPECT_EQ(store.readInt(kSec, "Joystick Frequency", 0), c.stored) << "the stored value stays";
    }
}

} // namespace
