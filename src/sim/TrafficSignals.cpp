#include "sim/Protection.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

constexpr std::int32_t kPhases = 6;

const TrafficPhase& phaseOf(const TrafficSignalRecord& light) {
    return light.phases[std::size_t(light.phase - 1)];
}

// One logic tick of the light's timer; true when the phase changed.
bool countDown(TrafficSignalRecord& light) {
    if (light.phase < 1 || light.phase > kPhases) light.phase = 1;
    std::int32_t& current = light.countdowns[std::size_t(light.phase - 1)];
    current -= 1;
    if (current >= 1) return false;
    current = phaseOf(light).duration;
    light.phase = light.phase % kPhases + 1;
    light.countdowns[std::size_t(light.phase - 1)] = phaseOf(light).duration;
    return true;
}

bool inView(const TrafficSignalRecord& light, std::int32_t frame) {
    return light.viewFirstFrame <= frame && frame < light.viewLastFrame;
}

// The indicator follows the light once the train is past the middle of its
// two points, up to the indicator's last frame.
void updateIndicator(const ProtectionRecords& r, const TrafficSignalRecord& light,
                     TrafficSignalView& view) {
    const Extended middle = (light.stopPosition + light.secondPosition) / 2;
    if (r.state.Position > middle && r.state.Frame <= light.indicatorFrame) {
        view.indicatorImage =
            phaseOf(light).proceed == 1 ? light.indicatorProceedImage : light.indicatorStopImage;
    }
}

}  // namespace

void step_traffic_signals(ProtectionRecords& r) {
    TrafficSignalView& view = r.protection.traffic;
    std::vector<TrafficSignalRecord>& lights = r.route.TrafficSignals;
    const std::int32_t frame = r.state.Frame;
    std::int32_t viewed = -1;
    for (std::size_t i = 0; i < lights.size(); ++i) {
        TrafficSignalRecord& light = lights[i];
        const bool changed = countDown(light);
        if (viewed >= 0 || !inView(light, frame)) continue;
        viewed = std::int32_t(i);
        // A light coming into view shows its phase at once.
        const bool fresh = view.light != viewed;
        if (fresh) view = TrafficSignalView{};
        if ((changed || fresh) && phaseOf(light).duration != 0) view.image = phaseOf(light).image;
        view.secondIndicator = light.secondFrame != 0;
        updateIndicator(r, light, view);
    }
    if (viewed < 0) view = TrafficSignalView{};
    view.light = viewed;
}

}  // namespace tovra
