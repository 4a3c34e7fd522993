#include "view/VideoFrameRate.h"

#include <algorithm>

namespace tovra {

namespace {

constexpr std::int64_t kSecond = 1000;  // ms

}  // namespace

void VideoFrameRate::shown(std::int64_t nowMs) {
    shownAt_.push_back(nowMs);
    while (shownAt_.front() <= nowMs - kSecond) shownAt_.pop_front();
}

int VideoFrameRate::perSecond(std::int64_t nowMs) const {
    return int(std::count_if(shownAt_.begin(), shownAt_.end(),
                             [&](std::int64_t t) { return t > nowMs - kSecond && t <= nowMs; }));
}

}  // namespace tovra
