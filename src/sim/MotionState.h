#pragma once

namespace tovra {

// Run-time state of the train's motion (adhesion, slip, resistance, texts).
struct MotionState {};

}  // namespace tovra
