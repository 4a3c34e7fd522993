#pragma once

#include <cstddef>
#include <cstdint>

#include "data/VehicleSpec.h"

namespace tovra {

// The power mode a notch (from 1) belongs to. Notches without a record (a
// diesel, or the resistor-step model) belong to mode 0.
inline std::int32_t modeOfNotch(const VehicleSpec& v, std::int32_t notch) {
    const auto index = std::size_t(notch - 1);
    return notch >= 1 && index < v.Notch.size() ? v.Notch[index].ModeNumber : 0;
}

// The record index of the first notch of mode + 1, or 0 when the vehicle
// defines no such mode.
inline std::int32_t modeStartOf(const VehicleSpec& v, std::int32_t mode) {
    return mode >= 0 && std::size_t(mode) < v.ModeStart.size() ? v.ModeStart[std::size_t(mode)] : 0;
}

// The first notch (from 1) of a mode; mode 0 starts at notch 1.
inline std::int32_t firstNotchOf(const VehicleSpec& v, std::int32_t mode) {
    return mode <= 0 ? 1 : modeStartOf(v, mode - 1) + 1;
}

// How many notches a mode has: up to the next mode's first notch, the last
// mode up to Power.
inline std::int32_t notchCountOf(const VehicleSpec& v, std::int32_t mode) {
    const bool hasNext = mode >= 0 && std::size_t(mode) < v.ModeStart.size();
    const std::int32_t last = hasNext ? modeStartOf(v, mode) : v.Power;
    return last - firstNotchOf(v, mode) + 1;
}

inline std::int32_t powerModeCount(const VehicleSpec& v) {
    return std::int32_t(v.PowerModeName.size());
}

}  // namespace tovra
