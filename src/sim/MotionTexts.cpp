#include "sim/MotionTexts.h"

#include <cmath>

#include "common/TextFields.h"

namespace tovra {

namespace {

// The texts are short enough to stay inside the string's own buffer, so a
// steady display costs no allocation.
void setFormatted(std::string& text, Extended value, int places, const char* unit) {
    text = formatFixed(value, places, 5);
    text += unit;
}

// Whole metres beyond 10 m, decimetres beyond 5 m, centimetres below.
int remainPlaces(Extended centimetres) {
    const Extended distance = std::fabs(centimetres);
    if (distance > 1000) return 0;
    if (distance > 500) return 1;
    return 2;
}

}  // namespace

void update_motion_texts(MotionState& motion, const TrainState& s) {
    setFormatted(motion.SpeedText, s.Speed, 1, " km/h");
    setFormatted(motion.RemainText, s.RemainDistance / 100, remainPlaces(s.RemainDistance), " m");
}

}  // namespace tovra
