#pragma once

#include <cstdint>

namespace tovra {

struct CalloutRecords;

// Time call-out for the stretch of line the video is in (mode 0 from the keyboard).
void Timecheck(const CalloutRecords& c, int mode);
// Queues the call-outs telling how far the clock is from `reference`.
void Timekanko(const CalloutRecords& c, std::int32_t reference, int mode);

}  // namespace tovra
