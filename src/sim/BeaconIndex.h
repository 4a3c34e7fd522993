#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "data/RouteSpec.h"

namespace tovra {

// The frames at which the signals act on the train (the signal itself and
// its two beacons), sorted, so that a tick finds the few signals near the
// train without walking the whole list. Built once per route.
class BeaconIndex {
  public:
    bool describes(const std::vector<SignalRecord>& list) const {
        return signals_ == list.data() && count_ == list.size();
    }
    void build(const std::vector<SignalRecord>& list);

    // The signals with a mark less than `reach` frames from `frame`, each
    // once and in ascending order. Valid until the next call.
    std::span<const std::int32_t> signalsNear(std::int32_t frame, std::int32_t reach);

  private:
    struct Mark {
        std::int32_t frame;
        std::int32_t signal;
    };
    std::vector<Mark> marks_;
    std::vector<std::int32_t> nearby_;  // reused: no allocation per tick
    const SignalRecord* signals_ = nullptr;
    std::size_t count_ = 0;
};

}  // namespace tovra
