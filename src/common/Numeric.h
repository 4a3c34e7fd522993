#pragma once

#include <cmath>
#include <cstdint>

namespace tovra {

// 80-bit on x86-64; speeds, positions and most physical state use it.
using Extended = long double;

// The program's own rounding: halves away from zero. Through rintl, which
// compiles to one instruction where roundl is a library call: only a half
// that rintl took to the even neighbour towards zero is moved on. v - r is
// exact, r being an integer within a half of v.
inline std::int64_t roundHalfAway(Extended v) {
    const Extended r = std::rintl(v);
    const Extended d = v - r;
    if (d == 0.5L && v > 0) return static_cast<std::int64_t>(r) + 1;
    if (d == -0.5L && v < 0) return static_cast<std::int64_t>(r) - 1;
    return static_cast<std::int64_t>(r);
}

// Plain conversion rounding: halves to even (the FPU's default mode).
inline std::int64_t roundHalfEven(Extended v) {
    return static_cast<std::int64_t>(
        std::rintl(v));  // nearbyintl would save the FPU state each time
}

// Release-slowdown factor S_k(P) = 10 * k^(-P/10) + 1.
Extended releaseSlowdown(Extended k, Extended pressure);

}  // namespace tovra
