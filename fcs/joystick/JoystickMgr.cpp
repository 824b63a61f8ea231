#include "fcs/joystick/JoystickMgr.h"

#include "fcs/joystick/JoystickDevices.h"
#include "fcs/joystick/JoystickReduction.h"
#include "fcs/joystick/SdlJoystickDevices.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <cstddef>

namespace {

const QString kSection = QStringLiteral("Joysticks");

QString guidKey(int deviceIndex)
{
    return QStringLiteral("Joystick GUID %1").arg(deviceIndex + 1);
}

QString mapKey(int position)
{
    return QStringLiteral("Joystick Map %1").arg(position + 1);
}

}

const JoystickState& CJoystickMgr::NeutralState()
{
    static const JoystickState neutral{}; // JS_READ, axes 0, no buttons, hat 255, idle
    return neutral;
}

CJoystickMgr::CJoystickMgr() : CJoystickMgr(std::make_unique<SdlJoystickDevices>()) {}

CJoystickMgr::CJoystickMgr(std::unique_ptr<JoystickDevices> devices) : m_devices(std::move(devices))
{
    m_mapping.fill(-1);
    // Neutral rather than all zero: a record not yet polled must not read as
    // the hat pushed north.
    m_states.fill(NeutralState());
}

CJoystickMgr::~CJoystickMgr() = default;

bool CJoystickMgr::IsInputAvailable() const
{
    return m_devices && m_devices->available();
}

void CJoystickMgr::Enumerate()
{
    if (m_devices)
        m_devices->rescan();
}

int CJoystickMgr::GetCount() const
{
    return m_devices ? std::clamp(m_devices->count(), 0, kMaxDevices) : 0;
}

void CJoystickMgr::PollAll()
{
    if (!m_devices)
        return;
    m_devices->update();
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        JoystickState& state = m_states[static_cast<std::size_t>(i)];
        state.status = JS_NOT_READ;
        RawJoystickState raw;
        if (m_devices->read(i, raw))
            JoystickReduction::Reduce(raw, state);
    }
}

const JoystickState& CJoystickMgr::GetState(int device) const
{
    if (device < 0 || device >= GetCount())
        return NeutralState();
    return m_states[static_cast<std::size_t>(device)];
}

JoystickState CJoystickMgr::GetPositionState(int position) const
{
    return GetState(GetMappedJoystick(position));
}

int CJoystickMgr::GetMappedJoystick(int position) const
{
    return position >= 0 && position < kMappedPositions ? m_mapping[static_cast<std::size_t>(position)] : -1;
}

int CJoystickMgr::SetMappedJoystick(int device, int position)
{
    if (position < 0 || position >= kMappedPositions)
        return -1;
    // Every negative index means "none", so -1 is the only one kept.
    if (device < 0)
        device = -1;
    const int previous = m_mapping[static_cast<std::size_t>(position)];
    m_mapping[static_cast<std::size_t>(position)] = device;
    if (device != -1) {
        for (int q = 0; q < kMappedPositions; ++q) {
            if (q != position && m_mapping[static_cast<std::size_t>(q)] == device)
                m_mapping[static_cast<std::size_t>(q)] = -1;
        }
    }
    return previous;
}

QString CJoystickMgr::GetJoystickGUID(int device) const
{
    if (!m_devices || device < 0 || device >= GetCount())
        return QString();
    return m_devices->identifier(device);
}

QString CJoystickMgr::GetJoystickName(int device) const
{
    if (!m_devices || device < 0 || device >= GetCount())
        return QString();
    return m_devices->name(device);
}

void CJoystickMgr::SaveMapping(SettingsStore& settings) const
{
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        settings.writeString(kSection, guidKey(i), GetJoystickGUID(i));
    settings.writeInt(kSection, QStringLiteral("Joystick Count"), count);
    settings.writeInt(kSection, QStringLiteral("Mapped Joystick Count"), kMappedPositions);
    for (int p = 0; p < kMappedPositions; ++p)
        settings.writeInt(kSection, mapKey(p), m_mapping[static_cast<std::size_t>(p)]);
}

bool CJoystickMgr::LoadMapping(const SettingsStore& settings)
{
    Enumerate();
    const int count = GetCount();
    if (settings.readInt(kSection, QStringLiteral("Joystick Count"), -1) != count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (settings.readString(kSection, guidKey(i), QString()) != GetJoystickGUID(i))
            return false;
    }
    if (settings.readInt(kSection, QStringLiteral("Mapped Joystick Count"), kMappedPositions) != kMappedPositions)
        return false;
    for (int p = 0; p < kMappedPositions; ++p)
        SetMappedJoystick(settings.readInt(kSection, mapKey(p), -1), p);
    return true;
}
