#include "sim/MotionTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "sim/Cab.h"

namespace tovra {

namespace {

// Formats into a stack buffer and touches the string only when the text
// changes, so a steady display costs no allocation.
void setFormatted(std::string& text, const char* format, Extended value) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n < 0) return;
    const std::size_t length = std::min<std::size_t>(std::size_t(n), sizeof buffer - 1);
    if (text.size() != length || std::memcmp(text.data(), buffer, length) != 0)
        text.assign(buffer, length);
}

// Whole metres beyond 10 m, decimetres beyond 5 m, centimetres below.
const char* remainFormat(Extended centimetres) {
    const Extended distance = std::fabs(centimetres);
    if (distance > 1000) return "%5.0Lf m";
    if (distance > 500) return "%5.1Lf m";
    return "%5.2Lf m";
}

}  // namespace

void update_motion_texts(Cab& cab) {
    const TrainState& s = cab.state;
    setFormatted(cab.motion.SpeedText, "%5.1Lf km/h", s.Speed);
    setFormatted(cab.motion.RemainText, remainFormat(s.RemainDistance), s.RemainDistance / 100);
}

}  // namespace tovra
