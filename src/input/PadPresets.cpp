#include "input/PadPresets.h"

#include <cstdlib>
#include <span>
#include <utility>

#include "input/GamePad.h"
#include "input/KeyMap.h"

namespace tovra {

namespace {

constexpr int kXAxis = 0;
constexpr int kYAxis = 1;

bool sameCommand(const KeyCommand& a, const KeyCommand& b) {
    const bool sameHandle = a.handle.has_value() == b.handle.has_value() &&
                            (!a.handle || (a.handle->move == b.handle->move &&
                                           a.handle->position == b.handle->position));
    return sameHandle && a.action == b.action && a.gearLever == b.gearLever;
}

// The lever at rest in the centre; a step begins beyond each limit of raw
// travel, the first beyond the centre itself, with no dead zone: as the
// fixed type reads it.
AxisMapping lever(AxisRole role, int axis, std::int32_t end, std::span<const std::int64_t> limits) {
    std::vector<double> notches{0};
    for (const std::int64_t limit : limits) notches.push_back(double(limit) / std::abs(end));
    AxisMapping m;
    m.axis = axis;
    m.role = role;
    m.rest = 0;
    m.deadZone = 0;
    if (role == AxisRole::Power) {
        m.powerEnd = end;
        m.powerNotches = std::move(notches);
    } else {
        m.brakeEnd = end;
        m.brakeNotches = std::move(notches);
    }
    return m;
}

}  // namespace

std::optional<PadKey> padKeyTyping(char c) {
    const VehicleSpec anyTrain;
    const KeyCommand typed = keyCommandFor(anyTrain, c);
    for (const PadKeyInfo& info : padKeys()) {
        if (info.character && sameCommand(typed, keyCommandFor(anyTrain, *info.character)))
            return info.key;
    }
    return std::nullopt;
}

DeviceMapping presetMapping(PadType type) {
    const PadTypeLayout layout = padTypeLayout(type);
    DeviceMapping m;
    for (const ButtonKey& b : layout.keys) {
        if (const auto key = padKeyTyping(b.key))
            m.controls.push_back({{false, b.button, 0}, *key});
    }
    if (layout.calloutButton)
        m.controls.push_back({{false, *layout.calloutButton, 0}, PadKey::Callout});
    if (layout.hornButton) m.controls.push_back({{false, *layout.hornButton, 0}, PadKey::Horn});
    if (!layout.powerLimits.empty())
        m.axes.push_back(lever(AxisRole::Power, kYAxis, -32768, layout.powerLimits));
    if (!layout.brakeLimits.empty())
        m.axes.push_back(lever(AxisRole::Brake, kXAxis, 32767, layout.brakeLimits));
    return m;
}

}  // namespace tovra
