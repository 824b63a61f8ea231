#pragma once

#include "fcs/joystick/JoystickState.h"

#include <QString>
#include <array>
#include <memory>

class JoystickDevices;
class SettingsStore;

// The attached game controllers, their reduced state and their assignment to
// the driver positions (2t and 2t+1 belong to team position t).
//
// A controller's device index is its place in the list of the last rescan.
// The assignment table has 16 positions (only 0 to 7 are offered to the
// staff, all 16 are stored); each entry holds a device index or -1, and a
// device index appears in at most one entry. Records change only in PollAll;
// a controller that cannot be read keeps its last values with status
// JS_NOT_READ. Everything runs on the UI thread; polling neither allocates
// nor touches the settings.
class CJoystickMgr {
public:
    static constexpr int kDriverPositions = 8;
    static constexpr int kMappedPositions = 16;
    static constexpr int kMaxDevices = 16;

    // Controllers through SDL.
    CJoystickMgr();
    // Controllers through the given platform layer.
    explicit CJoystickMgr(std::unique_ptr<JoystickDevices> devices);
    virtual ~CJoystickMgr();
    CJoystickMgr(const CJoystickMgr&) = delete;
    CJoystickMgr& operator=(const CJoystickMgr&) = delete;

    // False when controller input could not be started (the count stays 0).
    bool IsInputAvailable() const;

    // Lists the attached controllers again; the assignment table and the
    // records stay as they are, so an entry now names whatever controller has
    // that index.
    void Enumerate();
    int GetCount() const;

    virtual void PollAll();
    // The neutral record for an index that names no controller.
    const JoystickState& GetState(int device) const;
    virtual JoystickState GetPositionState(int position) const;
    // -1 for an unassigned position or one outside 0 to 15.
    virtual int GetMappedJoystick(int position) const;
    // Assigns device (or -1, which clears) to position and takes it away from
    // any other position. Returns the previous entry, or -1 without change
    // when the position is outside 0 to 15.
    int SetMappedJoystick(int device, int position);

    // The controller's instance identifier, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX},
    // made from its model, serial or port (JoystickIdentity.h gives the rule);
    // empty for an index that names no controller.
    QString GetJoystickGUID(int device) const;
    QString GetJoystickName(int device) const;

    // Writes the list of controllers and the assignment to "Joysticks".
    void SaveMapping(SettingsStore& settings) const;
    // Rescans, then restores the stored assignment only when exactly the same
    // controllers are attached in the same order.
    bool LoadMapping(const SettingsStore& settings);

    static const JoystickState& NeutralState();

private:
    std::unique_ptr<JoystickDevices> m_devices;
    std::array<int, kMappedPositions> m_mapping;
    std::array<JoystickState, kMaxDevices> m_states{};
};
