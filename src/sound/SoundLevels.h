#pragma once

#include "common/Numeric.h"
#include "ports/SoundChannels.h"

namespace tovra {

// round(log10(gain) * scale) as a channel volume, kept within -10000 .. 0.
// A gain of 0 or less (or none at all) is silence, not a fault.
int logVolume(Extended gain, Extended scale);

// The line through (x0, y0) and (x1, y1) at x; y0 where the two x meet.
inline Extended lineAt(Extended x, Extended x0, Extended y0, Extended x1, Extended y1) {
    return x1 == x0 ? y0 : y0 + (x - x0) * (y1 - y0) / (x1 - x0);
}

}  // namespace tovra
