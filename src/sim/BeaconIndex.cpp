#include "sim/BeaconIndex.h"

#include <algorithm>

namespace tovra {

void BeaconIndex::build(const std::vector<SignalRecord>& list) {
    marks_.clear();
    marks_.reserve(list.size() * 3);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto n = std::int32_t(i);
        const SignalRecord& s = list[i];
        for (const std::int32_t frame : {s.signalFrame, s.farBeaconFrame, s.nearBeaconFrame})
            marks_.push_back({frame, n});
    }
    std::sort(marks_.begin(), marks_.end(),
              [](const Mark& a, const Mark& b) { return a.frame < b.frame; });
    nearby_.reserve(marks_.size());
    signals_ = list.data();
    count_ = list.size();
}

std::span<const std::int32_t> BeaconIndex::signalsNear(std::int32_t frame, std::int32_t reach) {
    nearby_.clear();
    auto it = std::lower_bound(marks_.begin(), marks_.end(), frame - reach + 1,
                               [](const Mark& m, std::int32_t f) { return m.frame < f; });
    for (; it != marks_.end() && it->frame < frame + reach; ++it) nearby_.push_back(it->signal);
    std::sort(nearby_.begin(), nearby_.end());
    nearby_.erase(std::unique(nearby_.begin(), nearby_.end()), nearby_.end());
    return nearby_;
}

}  // namespace tovra
