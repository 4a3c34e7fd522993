#pragma once

#include <cstdint>
#include <deque>

namespace tovra {

// The value display's frame rate: how many new video pictures the cab showed
// in the last second of a millisecond clock. A standing train shows none,
// however often the panel is redrawn.
class VideoFrameRate {
  public:
    void shown(std::int64_t nowMs);
    int perSecond(std::int64_t nowMs) const;

  private:
    std::deque<std::int64_t> shownAt_;  // within the last second of the latest
};

}  // namespace tovra
