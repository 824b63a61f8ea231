#include "fcs/joystick/JoystickReduction.h"

#include <gtest/gtest.h>

// The reduction on its own, for raw values SDL never produces; the values it
// does produce are covered through virtual sticks in JoystickReadTest.

TEST(JoystickReduction, AxisOutsideTheRawRangeIsClampedNotWrapped)
{
    const struct {
        std::int32_t raw;
        int byte;
    } cases[] = {{-1, -127}, {-70000, -127}, {65536, 127}, {70000, 127}, {0x7fffffff, 127}};
    for (const auto& c : cases)
        EXPECT_EQ(JoystickReduction::Axis(c.raw), c.byte) << c.raw;
}

TEST(JoystickReduction, HatValuesThatAreNoDirectionReadCentred)
{
    const struct {
        std::int32_t pov;
        int hat;
    } cases[] = {{-1, 255}, {-2, 255}, {0xffff, 255}, {36000, 255}, {0, 0}, {4499, 0}, {4500, 1}, {35999, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(JoystickReduction::Hat(c.pov), c.hat) << c.pov;
}

TEST(JoystickReduction, EveryFieldIsWrittenSoStaleValuesDoNotSurvive)
{
    JoystickState state;
    state.status = JS_NOT_READ;
    state.x1 = state.y1 = state.x2 = state.y2 = 100;
    state.buttons = state.buttonsHigh = 0xff;
    state.hat = 3;
    state.active = 1;
    JoystickReduction::Reduce(RawJoystickState{}, state);
    EXPECT_EQ(state.status, JS_READ);
    EXPECT_EQ(state.x1, 0);
    EXPECT_EQ(state.y1, 0);
    EXPECT_EQ(state.x2, 0);
    EXPECT_EQ(state.y2, 0);
    EXPECT_EQ(state.buttons, 0);
    EXPECT_EQ(state.buttonsHigh, 0);
    EXPECT_EQ(state.hat, 255);
    EXPECT_EQ(state.active, 0);
}
