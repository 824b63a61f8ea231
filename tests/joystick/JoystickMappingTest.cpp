#include "tests/joystick/JoystickFixture.h"

#include "fcs/joystick/JoystickDevices.h"
#include "tests/support/MemorySettingsStore.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const QString kSection = QStringLiteral("Joysticks");

std::array<int, CJoystickMgr::kMappedPositions> table(const CJoystickMgr& m)
{
    std::array<int, CJoystickMgr::kMappedPositions> t{};
    for (int p = 0; p < CJoystickMgr::kMappedPositions; ++p)
        t[static_cast<size_t>(p)] = m.GetMappedJoystick(p);
    return t;
}

std::array<int, CJoystickMgr::kMappedPositions> unassigned()
{
    std::array<int, CJoystickMgr::kMappedPositions> t{};
    t.fill(-1);
    return t;
}

VirtualJoystickRig::Model model(Uint16 product, const char* name)
{
    VirtualJoystickRig::Model m;
    m.product = product;
    m.name = name;
    return m;
}

}

using JoystickAssignment = JoystickFixture;

TEST_F(JoystickAssignment, AssigningMovesAControllerAndMinusOneClears)
{
    EXPECT_EQ(table(*manager), unassigned());
    EXPECT_EQ(manager->SetMappedJoystick(3, 1), -1);
    EXPECT_EQ(manager->SetMappedJoystick(3, 5), -1);
    EXPECT_EQ(manager->GetMappedJoystick(1), -1) << "a controller has one position";
    EXPECT_EQ(manager->GetMappedJoystick(5), 3);
    EXPECT_EQ(manager->SetMappedJoystick(4, 5), 3) << "returns what was there";
    EXPECT_EQ(manager->SetMappedJoystick(2, 15), -1);
    EXPECT_EQ(manager->SetMappedJoystick(-1, 5), 4);
    EXPECT_EQ(manager->GetMappedJoystick(5), -1);
    EXPECT_EQ(manager->GetMappedJoystick(15), 2) << "clearing one position leaves the rest";
    EXPECT_EQ(manager->SetMappedJoystick(-7, 15), 2);
    EXPECT_EQ(manager->GetMappedJoystick(15), -1) << "any negative index means none";

    const auto before = table(*manager);
    for (int outside : {-1, 16, 99}) {
        EXPECT_EQ(manager->SetMappedJoystick(0, outside), -1);
        EXPECT_EQ(manager->GetMappedJoystick(outside), -1);
    }
    EXPECT_EQ(table(*manager), before);
    EXPECT_EQ(manager->SetMappedJoystick(20, 0), -1) << "no check against the count";
    EXPECT_EQ(manager->GetPositionState(0).status, JS_READ);
}

TEST_F(JoystickAssignment, IdentifiersAreBraceGuidsThatTellTwinsApartAndLastAcrossRuns)
{
    plugAndScan(3);
    const QRegularExpression brace(
        QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    QStringList ids;
    for (int i = 0; i < 3; ++i) {
        ids << manager->GetJoystickGUID(i);
        EXPECT_TRUE(brace.match(ids.back()).hasMatch()) << ids.back().toStdString();
        EXPECT_EQ(manager->GetJoystickName(i), QStringLiteral("Test Stick"));
    }
    EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), 3) << "three of one model";
    EXPECT_TRUE(manager->GetJoystickGUID(-1).isEmpty());
    EXPECT_TRUE(manager->GetJoystickGUID(3).isEmpty());

    restart();
    manager->Enumerate();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(manager->GetJoystickGUID(i), ids[i]) << "next run, same sticks";
}

using JoystickMapping = JoystickFixture;

TEST_F(JoystickMapping, SaveWritesListCountsAndAllSixteenPositions)
{
    plugAndScan(2);
    manager->SetMappedJoystick(1, 0);
    manager->SetMappedJoystick(0, 7);
    MemorySettingsStore store;
    manager->SaveMapping(store);

    QStringList expected{"Joystick GUID 1", "Joystick GUID 2", "Joystick Count", "Mapped Joystick Count"};
    for (int p = 1; p <= 16; ++p)
        expected << QStringLiteral("Joystick Map %1").arg(p);
    EXPECT_EQ(store.writeOrder, expected);
    EXPECT_EQ(store.readString(kSection, "Joystick GUID 2", {}), manager->GetJoystickGUID(1));
    EXPECT_EQ(store.readInt(kSection, "Joystick Count", 0), 2);
    EXPECT_EQ(store.readInt(kSection, "Mapped Joystick Count", 0), 16);
    EXPECT_EQ(store.readInt(kSection, "Joystick Map 1", 0), 1);
    EXPECT_EQ(store.readInt(kSection, "Joystick Map 8", 0), 0);
    EXPECT_EQ(store.readInt(kSection, "Joystick Map 16", 0), -1);
}

TEST_F(JoystickMapping, AssignmentSurvivesARestartWithTheSameSticks)
{
    plugAndScan(3);
    manager->SetMappedJoystick(2, 0);
    manager->SetMappedJoystick(0, 3);
    manager->SetMappedJoystick(1, 12); // beyond the eight, still kept
    rig.button(2, 0, true);
    MemorySettingsStore store;
    manager->SaveMapping(store);
    const auto saved = table(*manager);

    manager.reset();
    restart();
    EXPECT_EQ(manager->GetCount(), 0) << "nothing listed before the restore";
    EXPECT_TRUE(manager->LoadMapping(store));
    EXPECT_EQ(table(*manager), saved);
    manager->PollAll();
    EXPECT_EQ(manager->GetPositionState(0).buttons, 1) << "position 0 is the third stick again";
}

TEST_F(JoystickMapping, RestoreRefusesOtherSticksAndLeavesAllUnassigned)
{
    enum class Change { OtherIdentifier, OtherOrder, OneMore, OneLess, TamperedIdentifier };
    const struct {
        Change change;
        const char* what;
    } cases[] = {{Change::OtherIdentifier, "another model in the second place"},
                 {Change::OtherOrder, "the same sticks in another order"},
                 {Change::OneMore, "a stick added"},
                 {Change::OneLess, "a stick removed"},
                 {Change::TamperedIdentifier, "the stored identifier differs in case"}};
    for (const auto& c : cases) {
        while (rig.count() > 0)
            rig.unplug(0);
        restart();
        ASSERT_GE(rig.plug(model(0x0001, "Stick A")), 0);
        ASSERT_GE(rig.plug(model(0x0002, "Stick B")), 0);
        manager->Enumerate();
        manager->SetMappedJoystick(0, 0);
        manager->SetMappedJoystick(1, 1);
        MemorySettingsStore store;
        manager->SaveMapping(store);

        switch (c.change) {
        case Change::OtherIdentifier:
            rig.unplug(1);
            rig.plug(model(0x0003, "Stick C"));
            break;
        case Change::OtherOrder:
            rig.unplug(0);
            rig.plug(model(0x0001, "Stick A"));
            break;
        case Change::OneMore:
            rig.plug(model(0x0003, "Stick C"));
            break;
        case Change::OneLess:
            rig.unplug(1);
            break;
        case Change::TamperedIdentifier:
            store.writeString(kSection, "Joystick GUID 1",
                              store.readString(kSection, "Joystick GUID 1", {}).toLower());
            break;
        }
        restart();
        EXPECT_FALSE(manager->LoadMapping(store)) << c.what;
        EXPECT_EQ(table(*manager), unassigned()) << c.what;
        EXPECT_EQ(manager->GetCount(), rig.count()) << "the rescan happened: " << c.what;
    }
}

TEST_F(JoystickMapping, NoSticksRestoreOnlyAStoredCountOfZero)
{
    MemorySettingsStore empty;
    EXPECT_FALSE(manager->LoadMapping(empty)) << "nothing stored is no match";

    MemorySettingsStore store;
    manager->SetMappedJoystick(4, 2);
    manager->SaveMapping(store);
    EXPECT_EQ(store.readInt(kSection, "Joystick Count", -1), 0);
    restart();
    EXPECT_TRUE(manager->LoadMapping(store));
    EXPECT_EQ(manager->GetMappedJoystick(2), 4) << "restored, and reads neutral";
    EXPECT_EQ(manager->GetPositionState(2).status, JS_READ);
}

TEST_F(JoystickMapping, StoredTableIsAppliedInOrderAndAnOddCountIsRefused)
{
    MemorySettingsStore store;
    store.writeInt(kSection, "Joystick Count", 0);
    store.writeInt(kSection, "Joystick Map 2", 3);
    store.writeInt(kSection, "Joystick Map 6", 3);
    store.writeInt(kSection, "Joystick Map 7", -9);
    EXPECT_TRUE(manager->LoadMapping(store)) << "Mapped Joystick Count defaults to 16";
    EXPECT_EQ(manager->GetMappedJoystick(1), -1) << "a duplicate survives only at the later position";
    EXPECT_EQ(manager->GetMappedJoystick(5), 3);
    EXPECT_EQ(manager->GetMappedJoystick(6), -1) << "a stored negative index is none";

    restart();
    store.writeInt(kSection, "Mapped Joystick Count", 8);
    EXPECT_FALSE(manager->LoadMapping(store));
    EXPECT_EQ(table(*manager), unassigned());
}

namespace {

// A platform whose controller input could not be started.
class NoInput : public JoystickDevices {
public:
    bool available() const override { return false; }
    void rescan() override {}
    int count() const override { return 0; }
    void update() override {}
    bool read(int, RawJoystickState&) override { return false; }
    QString identifier(int) const override { return {}; }
    QString name(int) const override { return {}; }
};

}

TEST(JoystickWithoutInput, TheProgramSeesNoControllers)
{
    CJoystickMgr manager(std::make_unique<NoInput>());
    EXPECT_FALSE(manager.IsInputAvailable());
    manager.Enumerate();
    manager.PollAll();
    EXPECT_EQ(manager.GetCount(), 0);
    EXPECT_EQ(manager.GetState(0).status, JS_READ);
    MemorySettingsStore store;
    manager.SaveMapping(store);
    EXPECT_TRUE(manager.LoadMapping(store));
}
