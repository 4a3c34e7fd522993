#pragma once

#include <cstdint>

#include "common/Numeric.h"

namespace tovra {

// Signed 64-bit count of ten-thousandths. Every store rounds halves to even,
// so values computed by repeated subtraction reach exactly 0.
class Currency {
public:
    constexpr Currency() = default;
    Currency(Extended v) : raw_(roundHalfEven(v * 10000.0L)) {}  // NOLINT: implicit by design

    static constexpr Currency fromRaw(std::int64_t raw) {
        Currency c;
        c.raw_ = raw;
        return c;
    }

    constexpr std::int64_t raw() const { return raw_; }
    operator Extended() const { return static_cast<Extended>(raw_) / 10000.0L; }  // NOLINT

    Currency& operator+=(Extended v) { return *this = Extended(*this) + v; }
    Currency& operator-=(Extended v) { return *this = Extended(*this) - v; }
    Currency& operator*=(Extended v) { return *this = Extended(*this) * v; }
    Currency& operator/=(Extended v) { return *this = Extended(*this) / v; }

private:
    std::int64_t raw_ = 0;
};

}  // namespace tovra
