#pragma once

#include <cstdint>

namespace tovra {

class Cab;

// Time call-out for the stretch of line the video is in (mode 0 from the keyboard).
void Timecheck(Cab& cab, int mode);
// Queues the call-outs telling how far the clock is from `reference`.
void Timekanko(Cab& cab, std::int32_t reference, int mode);

}  // namespace tovra
