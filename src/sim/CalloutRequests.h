#pragma once

#include <cstdint>
#include <vector>

namespace tovra {

// A call-out the train's logic asks for: one of the call-out sounds, or a
// station's call-outs of one moment (0 arrival .. 5).
struct CalloutRequest {
    std::int32_t callout = -1;  // index into the call-out sounds; -1: a moment
    std::int32_t moment = -1;
    std::int32_t station = -1;
};

// Asked for in a step and queued by the sound side right after it, in order.
struct CalloutRequests {
    std::vector<CalloutRequest> pending;

    void callout(std::int32_t index) { pending.push_back({index, -1, -1}); }
    void stationMoment(std::int32_t station, std::int32_t moment) {
        pending.push_back({-1, moment, station});
    }
};

}  // namespace tovra
