#include "input/GamePad.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>

#include "cab/Cab.h"
#include "input/ExternalControllerState.h"
#include "input/KeyCommands.h"
#include "input/Masconupdate.h"
#include "input/PowerModes.h"
#include "ports/Host.h"
#include "sim/PendingDelays.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

namespace {

// A handle step the reading asks for; none leaves that handle as it is.
using Step = std::optional<std::int32_t>;

struct PadCommand {
    Step power;
    Step brake;
};

struct ButtonKey {
    int button;
    char key;
};

bool pressed(const PadReading& pad, int button) {
    return (pad.buttons >> button) & 1u;
}

void postPressed(Cab& cab, const PadReading& pad, std::span<const ButtonKey> keys) {
    for (const ButtonKey& k : keys) {
        if (pressed(pad, k.button)) cab.host.postCharacter(k.key);
    }
}

// A lever read as bands between limits; a reading no further than 0 is step
// 0, one exactly on a limit belongs to no band.
Step leverStep(std::int64_t travel, std::span<const std::int64_t> limits) {
    if (travel <= 0) return 0;
    std::int32_t step = 1;
    for (const std::int64_t limit : limits) {
        if (travel == limit) return std::nullopt;
        if (travel > limit) ++step;
    }
    return step;
}

// Two-lever controller: power pulls the Y axis negative, brake pushes X positive.
constexpr std::array<std::int64_t, 4> kPowerLimits{5000, 12000, 20000, 30000};
constexpr std::array<std::int64_t, 8> kBrakeLimits{1000, 4000,  6000,  8000,
                                                   9500, 11000, 12000, 13000};
constexpr std::array<ButtonKey, 5> kTwoLeverKeys{
    {{0, '9'}, {1, '1'}, {2, '3'}, {3, '7'}, {5, 's'}}};
constexpr int kCalloutButton = 4;

PadCommand twoLever(Cab& cab, const PadReading& pad) {
    postPressed(cab, pad, kTwoLeverKeys);
    return {leverStep(-std::int64_t(pad.y), kPowerLimits), leverStep(pad.x, kBrakeLimits)};
}

constexpr std::array<ButtonKey, 5> kPsKeys{{{9, '1'}, {1, '3'}, {2, '7'}, {3, '9'}, {8, 'r'}}};
constexpr std::int32_t kEmergencyStep = 9;

template <std::size_t N>
Step firstMatch(const std::array<int, N>& codes, std::int64_t reading) {
    const auto found = std::find(codes.begin(), codes.end(), reading);
    if (found == codes.end()) return std::nullopt;
    return std::int32_t(found - codes.begin());
}

// Controller behind an adapter: the readings of each position are the user's
// codes from the settings store.
PadCommand psAdapter(Cab& cab, const PadReading& pad) {
    const ControllerCodes& codes = cab.controllerCodes;
    const std::int32_t high = padButtonsHigh(pad);
    Step brake = firstMatch(codes.brake, high);
    if (!brake && codes.emergency == high) brake = kEmergencyStep;
    postPressed(cab, pad, kPsKeys);
    return {firstMatch(codes.power, std::int64_t(pad.x) + pad.y), brake};
}

struct HandleCode {
    std::int32_t high;
    std::int32_t low;
    Step power;
    Step brake;
};

constexpr std::array<HandleCode, 15> kOneHandleCodes{{
    {4, 16, 0, 0},
    {4, 48, 1, {}},
    {4, 32, {}, 1},
    {4, 0, {}, 2},
    {12, 0, 2, {}},
    {12, 32, 3, {}},
    {12, 16, 4, {}},
    {12, 48, 5, {}},
    {8, 48, {}, 3},
    {8, 16, {}, 4},
    {8, 32, {}, 5},
    {8, 0, {}, 6},
    {0, 48, {}, 7},
    {0, 16, {}, 8},
    {0, 32, {}, 9},
}};
constexpr int kHornButton = 0;
// Buttons 0-3 carry no position; left in, the held horn would freeze the handle.
constexpr std::int32_t kPositionBits = ~0xF;

// One-handle controller: the handle position is encoded on buttons 4-9.
PadCommand oneHandle(Cab& cab, ExternalControllerState& controllers, const PadReading& pad) {
    const std::int32_t high = padButtonsHigh(pad);
    const std::int32_t low = padButtonsLow(pad) & kPositionBits;
    PadCommand command;
    for (const HandleCode& code : kOneHandleCodes) {
        if (code.high == high && code.low == low) command = {code.power, code.brake};
    }
    controllers.controllerHorn = pressed(pad, kHornButton);
    cab.host.postCharacter(pad.y < 0 ? 'f' : pad.y == 0 ? 'n' : 'b');
    return command;
}

// A game controller moves one handle without touching the other.
void apply(Cab& cab, const PadCommand& command) {
    const VehicleSpec& v = cab.vehicle;
    TrainState& s = cab.state;
    if (const Step k = command.power) {
        const std::int32_t mode = cab.controller.PowerMode;
        s.PowerHandle =
            *k == 0 ? 0 : firstNotchOf(v, mode) - 1 + std::min(*k, notchCountOf(v, mode));
        markPowerPending(s);
    }
    if (const Step k = command.brake) {
        s.BrakeHandle = std::max(-*k, -v.Brake);
        markBrakePending(s);
    }
}

}  // namespace

std::int32_t padButtonsLow(const PadReading& pad) {
    return (pad.buttons & 0xF) | ((pad.buttons >> 8) << 4);
}

std::int32_t padButtonsHigh(const PadReading& pad) {
    return (pad.buttons >> 4) & 0xF;
}

std::int64_t padSignature(const PadReading& pad) {
    return std::int64_t(pad.x) + pad.y + padButtonsLow(pad) + padButtonsHigh(pad);
}

void pollGamePad(Cab& cab, GamePadInput& pad) {
    ExternalControllerState& controllers = cab.external;
    if (controllers.controllerType != PadType::None) USBScan(cab, pad.read());
}

void USBScan(Cab& cab, const PadReading& pad) {
    ExternalControllerState& controllers = cab.external;
    const std::int64_t signature = padSignature(pad);
    if (controllers.controllerType == PadType::None || controllers.lastPadSignature == signature)
        return;
    resetVigilance(cab);
    PadCommand command;
    switch (controllers.controllerType) {
        case PadType::TwoLever:
            command = twoLever(cab, pad);
            break;
        case PadType::PsAdapter:
            command = psAdapter(cab, pad);
            break;
        case PadType::OneHandle:
            command = oneHandle(cab, controllers, pad);
            break;
        case PadType::None:
            break;
    }
    apply(cab, command);
    masconupdate(cab);
    if (controllers.debug)
        setWindowCaption(cab, "X:" + std::to_string(pad.x) + " Y:" + std::to_string(pad.y));
    controllers.lastPadSignature = signature;
    // The host queues characters only; the call-out key acts here, after the
    // poll, where a queued key would have acted.
    if (controllers.controllerType == PadType::TwoLever && pressed(pad, kCalloutButton))
        keydowns(cab, VirtualKey::Enter, false);
}

void debug1Click(Cab& cab) {
    ExternalControllerState& controllers = cab.external;
    controllers.debug = !controllers.debug;
    if (!controllers.debug) setWindowCaption(cab, cab.route.LineName);
}

}  // namespace tovra
