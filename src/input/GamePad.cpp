#include "input/GamePad.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>

namespace tovra {

namespace {

bool pressed(const PadReading& pad, int button) {
    return (pad.buttons >> button) & 1u;
}

std::string pressedKeys(const PadReading& pad, std::span<const ButtonKey> keys) {
    std::string typed;
    for (const ButtonKey& k : keys) {
        if (pressed(pad, k.button)) typed += k.key;
    }
    return typed;
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

PadCommand twoLever(const PadReading& pad) {
    PadCommand command{leverStep(-std::int64_t(pad.y), kPowerLimits),
                       leverStep(pad.x, kBrakeLimits), pressedKeys(pad, kTwoLeverKeys)};
    command.callout = pressed(pad, kCalloutButton);
    return command;
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
PadCommand psAdapter(const ControllerCodes& codes, const PadReading& pad) {
    const std::int32_t high = padButtonsHigh(pad);
    Step brake = firstMatch(codes.brake, high);
    if (!brake && codes.emergency == high) brake = kEmergencyStep;
    return {firstMatch(codes.power, std::int64_t(pad.x) + pad.y), brake, pressedKeys(pad, kPsKeys)};
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
PadCommand oneHandle(const PadReading& pad) {
    const std::int32_t high = padButtonsHigh(pad);
    const std::int32_t low = padButtonsLow(pad) & kPositionBits;
    PadCommand command;
    for (const HandleCode& code : kOneHandleCodes) {
        if (code.high == high && code.low == low) {
            command.power = code.power;
            command.brake = code.brake;
        }
    }
    command.horn = pressed(pad, kHornButton);
    command.keys = pad.y < 0 ? "f" : pad.y == 0 ? "n" : "b";
    return command;
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

PadTypeLayout padTypeLayout(PadType type) {
    switch (type) {
        case PadType::TwoLever:
            return {kTwoLeverKeys, kCalloutButton, {}, kPowerLimits, kBrakeLimits};
        case PadType::PsAdapter:
            return {kPsKeys, {}, {}, {}, {}};
        case PadType::OneHandle:
            return {{}, {}, kHornButton, {}, {}};
        case PadType::None:
            break;
    }
    return {};
}

PadCommand padCommand(PadType type, const ControllerCodes& codes, const PadReading& pad) {
    switch (type) {
        case PadType::TwoLever:
            return twoLever(pad);
        case PadType::PsAdapter:
            return psAdapter(codes, pad);
        case PadType::OneHandle:
            return oneHandle(pad);
        case PadType::None:
            break;
    }
    return {};
}

}  // namespace tovra
