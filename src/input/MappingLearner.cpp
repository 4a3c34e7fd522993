#include "input/MappingLearner.h"

#include <cstdlib>

namespace tovra {

namespace {

constexpr std::int64_t kLeastTravel = 65536 / 4;

std::int64_t distance(std::int32_t a, std::int32_t b) {
    return std::llabs(std::int64_t(a) - b);
}

}  // namespace

void MappingLearner::begin(const DeviceReading& reference) {
    reference_ = reference;
    furthest_.reset();
    pressed_.reset();
}

void MappingLearner::watch(const DeviceReading& now) {
    for (std::size_t i = 0; i < now.axes.size() && i < reference_.axes.size(); ++i) {
        const std::int32_t start = reference_.axes[i];
        if (!furthest_ ||
            distance(now.axes[i], start) > distance(furthest_->furthest, furthest_->start))
            furthest_ = MovedAxis{int(i), start, now.axes[i]};
    }
    if (pressed_) return;
    for (std::size_t i = 0; i < now.buttons.size() && i < reference_.buttons.size(); ++i) {
        if (now.buttons[i] && !reference_.buttons[i]) {
            pressed_ = PadControl{false, int(i), 0};
            return;
        }
    }
    for (std::size_t i = 0; i < now.hats.size() && i < reference_.hats.size(); ++i) {
        for (const std::uint8_t direction : {HatUp, HatRight, HatDown, HatLeft}) {
            if ((now.hats[i] & direction) && !(reference_.hats[i] & direction)) {
                pressed_ = PadControl{true, int(i), direction};
                return;
            }
        }
    }
}

std::optional<MovedAxis> MappingLearner::movedAxis() const {
    if (!furthest_ || distance(furthest_->furthest, furthest_->start) < kLeastTravel)
        return std::nullopt;
    return furthest_;
}

AxisMapping leverMapping(AxisRole role, int axis, std::int32_t rest, std::int32_t powerEnd,
                         std::int32_t brakeEnd, int powerSteps, int brakeSteps, double deadZone) {
    AxisMapping m;
    m.axis = axis;
    m.role = role;
    m.rest = rest;
    m.powerEnd = powerEnd;
    m.brakeEnd = brakeEnd;
    m.deadZone = deadZone;
    if (role != AxisRole::Brake) m.powerNotches = evenNotches(powerSteps, deadZone);
    if (role != AxisRole::Power) m.brakeNotches = evenNotches(brakeSteps, deadZone);
    return m;
}

}  // namespace tovra
