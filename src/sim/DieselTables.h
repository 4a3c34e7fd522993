#pragma once

#include <cstdint>

#include "data/VehicleSpec.h"

namespace tovra {

inline std::int32_t engineRows(const VehicleSpec& vehicle) {
    return static_cast<std::int32_t>(vehicle.Engine.size());
}

// A gear outside the table (neutral below it, the lever's direct drive one
// beyond it) reads as a row of zeros, which gives no force.
inline EngineRow engineRow(const VehicleSpec& vehicle, std::int32_t gear) {
    if (gear < 0 || gear >= engineRows(vehicle)) return {};
    return vehicle.Engine[static_cast<std::size_t>(gear)];
}

inline EngineRateRow engineRateRow(const VehicleSpec& vehicle, std::int32_t gear) {
    if (gear < 0 || static_cast<std::size_t>(gear) >= vehicle.EngineRate.size()) return {};
    return vehicle.EngineRate[static_cast<std::size_t>(gear)];
}

}  // namespace tovra
