#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/Currency.h"
#include "common/Numeric.h"

namespace tovra {

// Run-time state of the train's motion (adhesion, slip, resistance, texts).
struct MotionState {
    std::string SlipText;  // "", "空転" or "滑走"
    std::string SpeedText;
    std::string RemainText;

    bool InTunnel = false;   // set by the wayside work while inside a tunnel
    bool ResistOff = false;  // testing aid: resistance is not integrated

    Currency SlopeValue;                    // permil of the slope segment at the frame
    std::vector<std::int32_t> CarGradient;  // permil under each car, front first
    Extended GradSamplePos = 0;             // cm
};

}  // namespace tovra
