#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/GamePad.h"
#include "input/VirtualKey.h"

namespace tovra {

// Everything one device gives in one poll. Axes run -32768..32767.
struct DeviceReading {
    std::vector<std::int32_t> axes;
    std::vector<bool> buttons;
    std::vector<std::uint8_t> hats;  // HatDirection bits
};

enum HatDirection : std::uint8_t { HatUp = 1, HatRight = 2, HatDown = 4, HatLeft = 8 };

enum class AxisRole {
    Power,
    Brake,
    Combined,  // power towards one end, brake towards the other
};

// One axis as a handle, calibrated by the readings learnt at its rest (the
// released lever, or the neutral centre of a combined handle) and its ends.
// Travel is the share of the way from rest to an end, 0..1.
struct AxisMapping {
    int axis = 0;
    AxisRole role = AxisRole::Power;
    std::int32_t rest = 0;
    std::int32_t powerEnd = 32767;
    std::int32_t brakeEnd = -32768;
    double deadZone = 0.05;  // travel that still reads as the rest position
    // The travel at which step k = 1, 2, ... begins, ascending.
    std::vector<double> powerNotches;
    std::vector<double> brakeNotches;
};

// The cab's key commands a button or a hat direction can give.
enum class PadKey {
    Horn,
    Horn2,
    Buzzer,
    Doors,
    Acknowledge,
    AtsReset,
    NextAnnouncement,
    PreviousAnnouncement,
    ReverserForward,
    ReverserNeutral,
    ReverserBack,
    NextPowerMode,
    Callout,
    GearLever0,
    GearLever1,
    GearLever2,
    EngineStart,
    EngineStop,
    Pause,  // and resume: the one command that acts while paused
};

// A key command as the keyboard gives it (pause: as the menu gives it), its
// name in the mapping file and its caption in the dialog (to be shown through
// uiText in the "PadMapping" context).
struct PadKeyInfo {
    PadKey key;
    std::string_view name;
    std::optional<char> character;
    std::optional<VirtualKey> virtualKey;
    const char* caption;
    bool shift = false;  // the virtual key with Shift held
};

std::span<const PadKeyInfo> padKeys();
const PadKeyInfo& padKeyInfo(PadKey key);
std::optional<PadKey> padKeyNamed(std::string_view name);

// A button, or one direction of a hat.
struct PadControl {
    bool hat = false;
    int index = 0;
    std::uint8_t direction = 0;  // a hat's HatDirection
    bool operator==(const PadControl&) const = default;
};

struct ControlMapping {
    PadControl control;
    PadKey key = PadKey::Horn;
};

// What the player set up for one device.
struct DeviceMapping {
    std::string name;
    std::vector<AxisMapping> axes;
    std::vector<ControlMapping> controls;
};

// Steps 1..count spread evenly over the travel beyond the dead zone.
std::vector<double> evenNotches(int count, double deadZone);

// The share of the way from rest towards an end, 0..1; 0 on the other side.
double axisTravel(std::int32_t rest, std::int32_t end, std::int32_t reading);

struct HandleSteps {
    Step power;
    Step brake;
    bool operator==(const HandleSteps&) const = default;
};

// The steps one axis reading gives: a power lever only power, a brake lever
// only brake, a combined handle both (the side not taken at 0). Within a
// hundredth of the travel of a notch mark the step `before` is kept.
HandleSteps axisSteps(const AxisMapping& mapping, std::int32_t reading,
                      const HandleSteps& before = {});

bool controlPressed(const PadControl& control, const DeviceReading& reading);

}  // namespace tovra
