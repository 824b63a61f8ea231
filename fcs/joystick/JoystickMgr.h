#pragma once

#include "fcs/joystick/JoystickState.h"

#include <array>

// The attached game controllers and their assignment to the eight driver
// positions (2t and 2t+1 belong to team position t).
class CJoystickMgr {
public:
    static constexpr int kDriverPositions = 8;

    CJoystickMgr();
    virtual ~CJoystickMgr();

    virtual void PollAll();
    virtual JoystickState GetPositionState(int position) const;
    virtual int GetMappedJoystick(int position) const;

private:
    std::array<int, kDriverPositions> m_mapping;
};
