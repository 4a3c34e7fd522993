#pragma once

#include <cmath>

#include "common/Numeric.h"

namespace tovra {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// End of a needle or clock hand of length r at angle theta (radians,
// counter-clockwise from the x axis) from (x0, y0); screen y grows downwards.
inline Point needleEnd(int x0, int y0, Extended r, Extended theta) {
    return {x0 + static_cast<int>(roundHalfEven(r * std::cos(theta))),
            y0 - static_cast<int>(roundHalfEven(r * std::sin(theta)))};
}

}  // namespace tovra
