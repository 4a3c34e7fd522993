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
    // From v, not r: the compiler takes llrintl of an integer for a cast.
    const std::int64_t n = std::llrintl(v);
    if (d == 0.5L && v > 0) return n + 1;
    if (d == -0.5L && v < 0) return n - 1;
    return n;
}

// Plain conversion rounding: halves to even (the FPU's default mode). llrintl
// is one store in that mode (without errno, see the build flags), where a
// cast of rintl's result would switch the FPU to truncation and back.
inline std::int64_t roundHalfEven(Extended v) {
    return std::llrintl(v);
}

// Release-slowdown factor S_k(P) = 10 * k^(-P/10) + 1.
Extended releaseSlowdown(Extended k, Extended pressure);

}  // namespace tovra
