#pragma once

#include "fcs/joystick/JoystickMgr.h"
#include "tests/support/VirtualJoystickRig.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Virtual sticks and a manager over SDL. The rig is built first and goes
// last, so the sticks survive the manager being destroyed and rebuilt.
class JoystickFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.ok()) << SDL_GetError(); }

    // Plugs `n` sticks of the default model, then rescans.
    void plugAndScan(int n)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_GE(rig.plug(), 0) << SDL_GetError();
        manager->Enumerate();
        ASSERT_EQ(manager->GetCount(), rig.count());
    }

    // A new manager, as after a restart of the program.
    void restart() { manager = std::make_unique<CJoystickMgr>(); }

    VirtualJoystickRig rig;
    std::unique_ptr<CJoystickMgr> manager = std::make_unique<CJoystickMgr>();
};
