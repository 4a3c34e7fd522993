#pragma once

#include <cstdint>
#include <optional>

#include "input/PadMapping.h"

namespace tovra {

// An axis the player moved, with its reading at the start and the furthest
// reading it reached.
struct MovedAxis {
    int axis = 0;
    std::int32_t start = 0;
    std::int32_t furthest = 0;
};

// Learning by doing: the readings when a step begins are the reference;
// the control that then moves or is pressed is the one the player means.
class MappingLearner {
  public:
    void begin(const DeviceReading& reference);
    void watch(const DeviceReading& now);

    // The axis moved furthest from the reference, once it went a quarter of
    // the full range: less is taken for noise or a touch of another lever.
    std::optional<MovedAxis> movedAxis() const;
    // The first button or hat direction pressed that was not pressed at the
    // reference.
    std::optional<PadControl> pressedControl() const { return pressed_; }

  private:
    DeviceReading reference_;
    std::optional<MovedAxis> furthest_;
    std::optional<PadControl> pressed_;
};

// A lever from what was learnt: its rest and the end(s) reached, with the
// notches spread evenly.
AxisMapping leverMapping(AxisRole role, int axis, std::int32_t rest, std::int32_t powerEnd,
                         std::int32_t brakeEnd, int powerSteps, int brakeSteps, double deadZone);

}  // namespace tovra
