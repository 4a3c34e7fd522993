#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "input/PadMapping.h"

namespace tovra {

// A device as the platform sees it in one poll.
struct AttachedDevice {
    std::int32_t id = 0;  // the same for as long as the device stays plugged in
    std::string guid;
    std::string name;
    DeviceReading reading;
};

struct PadKeyEvent {
    PadKey key;
    bool down = true;
    bool operator==(const PadKeyEvent&) const = default;
};

// What the mapped devices ask of the cab after one poll: the handle steps
// that changed, the keys pressed and released, and the devices that came
// and went (by name).
struct MappedPadEvents {
    HandleSteps steps;
    std::vector<PadKeyEvent> keys;
    std::vector<std::string> pluggedIn;
    std::vector<std::string> pulledOut;
};

// The devices that have a mapping, followed from poll to poll. A handle acts
// only when its step changes, so the keyboard can move it while the lever
// rests; a device plugged in acts at once with the position of its levers.
class MappedPads {
  public:
    explicit MappedPads(std::map<std::string, DeviceMapping> byGuid = {});

    // New mappings: the held keys are released, and every device acts anew
    // at the next poll.
    MappedPadEvents setMappings(std::map<std::string, DeviceMapping> byGuid);
    const std::map<std::string, DeviceMapping>& mappings() const { return byGuid_; }

    MappedPadEvents poll(std::span<const AttachedDevice> attached);

  private:
    struct Followed {
        std::string guid;
        std::string name;
        std::vector<HandleSteps> axisSteps;  // as last applied, per mapped axis
        std::vector<bool> pressed;           // per mapped control
        bool fresh = true;
    };

    void follow(const DeviceMapping& mapping, Followed& device, const DeviceReading& reading,
                MappedPadEvents& events);
    void release(Followed& device, MappedPadEvents& events) const;

    std::map<std::string, DeviceMapping> byGuid_;
    std::map<std::int32_t, Followed> devices_;
};

}  // namespace tovra
