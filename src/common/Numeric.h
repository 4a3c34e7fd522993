#pragma once

#include <cmath>
#include <cstdint>

namespace tovra {

// 80-bit on x86-64; speeds, positions and most physical state use it.
using Extended = long double;

// The program's own rounding: halves away from zero.
inline std::int64_t roundHalfAway(Extended v) {
    return static_cast<std::int64_t>(std::roundl(v));
}

// Plain conversion rounding: halves to even (the FPU's default mode).
inline std::int64_t roundHalfEven(Extended v) {
    return static_cast<std::int64_t>(
        std::rintl(v));  // nearbyintl would save the FPU state each time
}

// Release-slowdown factor S_k(P) = 10 * k^(-P/10) + 1.
inline Extended releaseSlowdown(Extended k, Extended pressure) {
    return 10.0L * std::pow(k, -pressure / 10.0L) + 1.0L;
}

}  // namespace tovra
