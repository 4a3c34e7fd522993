#pragma once

#include <array>
#include <cstdint>

#include "data/RouteSpec.h"

namespace tovra {

// The playing time in whole seconds of the route's first sounds.
using RouteSoundSeconds = std::array<int, RouteSpec::kTimedAmbientSounds>;

// Seconds of route sound k; a sound without a recorded length counts as 0.
inline int soundSeconds(const RouteSoundSeconds& seconds, std::int32_t k) {
    return k >= 0 && static_cast<std::size_t>(k) < seconds.size() ? seconds[std::size_t(k)] : 0;
}

}  // namespace tovra
