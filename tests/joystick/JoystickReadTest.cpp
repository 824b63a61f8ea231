#include "tests/joystick/JoystickFixture.h"

#include <array>

namespace {

std::array<int, 4> axes(const JoystickState& s) { return {s.x1, s.y1, s.x2, s.y2}; }

}

using JoystickRead = JoystickFixture;

TEST_F(JoystickRead, AxisBytesAndActiveThresholdOnEveryAxis)
{
    plugAndScan(1);
    const struct {
        int raw;
        int byte;
        bool active;
    } table[] = {
        {0, -127, true},     {12078, -81, true}, {12079, -80, false}, {32767, 0, false},
        {32768, 0, false},   {53455, 80, false}, {53456, 81, true},   {65277, 126, true},
        {65278, 127, true},  {65535, 127, true},
    };
    for (int axis = 0; axis < 4; ++axis) {
        for (const auto& row : table) {
            rig.centre(0);
            rig.axisRaw(0, axis, row.raw);
            manager->PollAll();
            const JoystickState& s = manager->GetState(0);
            std::array<int, 4> expected{0, 0, 0, 0};
            expected[static_cast<size_t>(axis)] = row.byte;
            EXPECT_EQ(s.status, JS_READ);
            EXPECT_EQ(axes(s), expected) << "axis " << axis << " raw " << row.raw;
            EXPECT_EQ(s.active, row.active ? 1 : 0) << "axis " << axis << " raw " << row.raw;
        }
    }
}

TEST_F(JoystickRead, ButtonsOneToTwelveSetTheirBitAndThirteenIsIgnored)
{
    plugAndScan(1);
    for (int button = 1; button <= 13; ++button) {
        rig.centre(0);
        rig.button(0, button - 1, true);
        manager->PollAll();
        const JoystickState& s = manager->GetState(0);
        const unsigned word = button <= 12 ? 1u << (button - 1) : 0u;
        EXPECT_EQ(s.buttons, word & 0xff) << "button " << button;
        EXPECT_EQ(s.buttonsHigh, word >> 8) << "button " << button;
        EXPECT_EQ(s.active, button <= 12 ? 1 : 0) << "button " << button;
    }
    rig.centre(0);
    for (int b = 0; b < 16; ++b)
        rig.button(0, b, true);
    manager->PollAll();
    EXPECT_EQ(manager->GetState(0).buttons, 0xff);
    EXPECT_EQ(manager->GetState(0).buttonsHigh, 0x0f) << "bits 4 to 7 stay clear";
}

TEST_F(JoystickRead, HatDirectionsClockwiseFromNorthAndCentred)
{
    plugAndScan(1);
    const struct {
        Uint8 sdl;
        int hat;
    } table[] = {{SDL_HAT_UP, 0},       {SDL_HAT_RIGHTUP, 1}, {SDL_HAT_RIGHT, 2},  {SDL_HAT_RIGHTDOWN, 3},
                 {SDL_HAT_DOWN, 4},     {SDL_HAT_LEFTDOWN, 5}, {SDL_HAT_LEFT, 6},  {SDL_HAT_LEFTUP, 7},
                 {SDL_HAT_CENTERED, 255}};
    for (const auto& row : table) {
        rig.centre(0);
        rig.hat(0, row.sdl);
        manager->PollAll();
        EXPECT_EQ(manager->GetState(0).hat, row.hat) << int(row.sdl);
        EXPECT_EQ(manager->GetState(0).active, 0) << "the hat does not count as use";
    }
}

TEST_F(JoystickRead, MissingAxesAndHatReadCentred)
{
    VirtualJoystickRig::Model small;
    small.axes = 2;
    small.hats = 0;
    small.buttons = 4;
    ASSERT_GE(rig.plug(small), 0);
    manager->Enumerate();
    rig.axisRaw(0, 0, 65535);
    rig.axisRaw(0, 1, 0);
    manager->PollAll();
    const JoystickState& s = manager->GetState(0);
    EXPECT_EQ(axes(s), (std::array<int, 4>{127, -127, 0, 0}));
    EXPECT_EQ(s.hat, 255);
}

TEST_F(JoystickRead, UnassignedPositionsAndUnknownIndexesReadNeutral)
{
    plugAndScan(1);
    rig.button(0, 0, true);
    manager->PollAll();
    for (int index : {-1, 1, 15, 16, 1000}) {
        const JoystickState& s = manager->GetState(index);
        EXPECT_EQ(s.status, JS_READ) << index;
        EXPECT_EQ(s.buttons, 0) << index;
        EXPECT_EQ(s.hat, 255) << index;
        EXPECT_EQ(s.active, 0) << index;
    }
    for (int position = 0; position < CJoystickMgr::kMappedPositions; ++position)
        EXPECT_EQ(manager->GetPositionState(position).status, JS_READ) << "never counted as lost";
    manager->SetMappedJoystick(0, 6);
    EXPECT_EQ(manager->GetPositionState(6).buttons, 1);
}

TEST_F(JoystickRead, UnpluggedStickKeepsItsLastValuesAndARescanMovesTheRestUp)
{
    // Three models, so each keeps its identifier whatever its place.
    for (Uint16 product : {0x0011, 0x0012, 0x0013}) {
        VirtualJoystickRig::Model m;
        m.product = product;
        ASSERT_GE(rig.plug(m), 0);
    }
    manager->Enumerate();
    manager->SetMappedJoystick(1, 0);
    manager->SetMappedJoystick(2, 5);
    rig.axisRaw(1, 0, 65535);
    rig.button(1, 11, true);
    rig.hat(1, SDL_HAT_LEFT);
    rig.button(2, 2, true);
    manager->PollAll();
    const QString thirdId = manager->GetJoystickGUID(2);

    rig.unplug(1);
    for (int tick = 0; tick < 3; ++tick) {
        manager->PollAll();
        const JoystickState s = manager->GetPositionState(0);
        EXPECT_EQ(s.status, JS_NOT_READ);
        EXPECT_EQ(s.x1, 127);
        EXPECT_EQ(s.buttonsHigh, 0x08);
        EXPECT_EQ(s.hat, 6);
        EXPECT_EQ(s.active, 1);
        EXPECT_EQ(manager->GetPositionState(5).status, JS_READ) << "the others still read";
        EXPECT_EQ(manager->GetPositionState(5).buttons, 0x04);
    }
    EXPECT_EQ(manager->GetCount(), 3) << "the list changes only on a rescan";

    manager->Enumerate();
    manager->PollAll();
    EXPECT_EQ(manager->GetCount(), 2);
    EXPECT_EQ(manager->GetJoystickGUID(1), thirdId) << "the third stick moved up";
    EXPECT_EQ(manager->GetMappedJoystick(0), 1) << "the table keeps the old indexes";
    EXPECT_EQ(manager->GetMappedJoystick(5), 2);
    EXPECT_EQ(manager->GetPositionState(0).buttons, 0x04) << "index 1 is now the third stick";
    EXPECT_EQ(manager->GetPositionState(5).status, JS_READ);
    EXPECT_EQ(manager->GetPositionState(5).active, 0) << "index 2 names nothing now";
}

TEST_F(JoystickRead, ReplugPutsTheSameModelBackInItsPlaceOnly)
{
    VirtualJoystickRig::Model other;
    other.product = 0x0002;
    other.name = "Other Stick";
    plugAndScan(2);
    const QString secondId = manager->GetJoystickGUID(1);
    rig.unplug(1);
    manager->PollAll();
    ASSERT_EQ(manager->GetState(1).status, JS_NOT_READ);

    const int stranger = rig.plug(other);
    manager->PollAll();
    manager->PollAll();
    EXPECT_EQ(manager->GetState(1).status, JS_NOT_READ) << "another model waits for a rescan";
    EXPECT_EQ(manager->GetCount(), 2);

    const int back = rig.plug();
    rig.button(back, 4, true);
    manager->PollAll();
    EXPECT_EQ(manager->GetState(1).status, JS_READ);
    EXPECT_EQ(manager->GetState(1).buttons, 0x10);
    EXPECT_EQ(manager->GetJoystickGUID(1), secondId);
    rig.button(stranger, 0, true);
    manager->PollAll();
    EXPECT_EQ(manager->GetState(1).buttons, 0x10) << "the stranger is not read";
}

TEST_F(JoystickRead, EnumerationStopsAtSixteen)
{
    plugAndScan(0);
    for (int i = 0; i < 17; ++i)
        ASSERT_GE(rig.plug(), 0);
    rig.button(16, 0, true);
    manager->Enumerate();
    manager->PollAll();
    EXPECT_EQ(manager->GetCount(), 16);
    EXPECT_EQ(manager->GetState(16).buttons, 0);
    EXPECT_FALSE(manager->GetJoystickGUID(15).isEmpty());
    EXPECT_TRUE(manager->GetJoystickGUID(16).isEmpty());
}

TEST_F(JoystickRead, SticksAreReadWhileNoWindowHasTheFocus)
{
    plugAndScan(1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        GTEST_SKIP() << "no SDL video driver: " << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("unfocused", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    ASSERT_EQ(SDL_GetKeyboardFocus(), nullptr);

    // Premise: without the hint SDL drops input while its windows lack the focus.
    SDL_SetHintWithPriority(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "0", SDL_HINT_OVERRIDE);
    rig.axisRaw(0, 0, 65535);
    manager->PollAll();
    EXPECT_EQ(manager->GetState(0).x1, 0) << "premise";

    restart(); // the manager asks for background input
    manager->Enumerate();
    rig.axisRaw(0, 0, 0);
    manager->PollAll();
    EXPECT_EQ(manager->GetState(0).x1, -127);

    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
