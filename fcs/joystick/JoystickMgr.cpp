#include "fcs/joystick/JoystickMgr.h"

#include <cstddef>

CJoystickMgr::CJoystickMgr()
{
    m_mapping.fill(-1);
}

CJoystickMgr::~CJoystickMgr() = default;

void CJoystickMgr::PollAll() {}

JoystickState CJoystickMgr::GetPositionState(int) const
{
    return JoystickState{};
}

int CJoystickMgr::GetMappedJoystick(int position) const
{
    return position >= 0 && position < kDriverPositions ? m_mapping[static_cast<std::size_t>(position)] : -1;
}
