#include "input/MappedPads.h"

#include <algorithm>
#include <utility>

namespace tovra {

MappedPads::MappedPads(std::map<std::string, DeviceMapping> byGuid) : byGuid_(std::move(byGuid)) {}

MappedPadEvents MappedPads::setMappings(std::map<std::string, DeviceMapping> byGuid) {
    MappedPadEvents events;
    for (auto& [id, device] : devices_) release(device, events);
    devices_.clear();
    byGuid_ = std::move(byGuid);
    return events;
}

MappedPadEvents MappedPads::poll(std::span<const AttachedDevice> attached) {
    MappedPadEvents events;
    for (auto it = devices_.begin(); it != devices_.end();) {
        const bool present =
            std::any_of(attached.begin(), attached.end(),
                        [&](const AttachedDevice& d) { return d.id == it->first; });
        if (present) {
            ++it;
            continue;
        }
        release(it->second, events);
        events.pulledOut.push_back(it->second.name);
        it = devices_.erase(it);
    }
    for (const AttachedDevice& device : attached) {
        const auto mapping = byGuid_.find(device.guid);
        if (mapping == byGuid_.end()) continue;
        auto [followed, added] = devices_.try_emplace(device.id);
        if (added) {
            followed->second.guid = device.guid;
            followed->second.name = device.name;
            events.pluggedIn.push_back(device.name);
        }
        follow(mapping->second, followed->second, device.reading, events);
    }
    return events;
}

void MappedPads::follow(const DeviceMapping& mapping, Followed& device,
                        const DeviceReading& reading, MappedPadEvents& events) {
    device.axisSteps.resize(mapping.axes.size());
    device.pressed.resize(mapping.controls.size());
    for (std::size_t i = 0; i < mapping.axes.size(); ++i) {
        const AxisMapping& axis = mapping.axes[i];
        if (axis.axis < 0 || std::size_t(axis.axis) >= reading.axes.size()) continue;
        HandleSteps& last = device.axisSteps[i];
        const HandleSteps steps = axisSteps(axis, reading.axes[std::size_t(axis.axis)], last);
        if (steps.power && (device.fresh || steps.power != last.power))
            events.steps.power = steps.power;
        if (steps.brake && (device.fresh || steps.brake != last.brake))
            events.steps.brake = steps.brake;
        last = steps;
    }
    for (std::size_t i = 0; i < mapping.controls.size(); ++i) {
        const bool pressed = controlPressed(mapping.controls[i].control, reading);
        if (pressed != device.pressed[i]) events.keys.push_back({mapping.controls[i].key, pressed});
        device.pressed[i] = pressed;
    }
    device.fresh = false;
}

void MappedPads::release(Followed& device, MappedPadEvents& events) const {
    const auto mapping = byGuid_.find(device.guid);
    if (mapping == byGuid_.end()) return;
    const std::vector<ControlMapping>& controls = mapping->second.controls;
    for (std::size_t i = 0; i < device.pressed.size() && i < controls.size(); ++i) {
        if (device.pressed[i]) events.keys.push_back({controls[i].key, false});
        device.pressed[i] = false;
    }
}

}  // namespace tovra
