#pragma once

#include <cmath>

#include "common/Currency.h"
#include "common/Numeric.h"
#include "data/VehicleSpec.h"

namespace tovra {

inline constexpr Extended kGravity = 9.8L;  // m/s²

// The train's mass in kg.
inline Extended trainMassKg(const VehicleSpec& vehicle) {
    return Extended(vehicle.Tons) * 1000;
}

// A quotient by a vehicle value that the file left at 0 is not a number;
// such a term contributes nothing rather than poisoning a fixed-point store.
inline Extended finiteOrZero(Extended v) {
    return std::isfinite(v) ? v : 0;
}

inline void clampAtZero(Currency& p) {
    if (p.raw() < 0) p = Currency{};
}

inline void clampAtZero(Extended& p) {
    if (p < 0) p = 0;
}

}  // namespace tovra
