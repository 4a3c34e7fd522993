#pragma once

#include <filesystem>

#include "data/VehicleSpec.h"

namespace tovra {

// Followed by the group label in force when the reading failed.
inline constexpr const char* kVehicleFileError = "車両ファイルに誤りがあります";
inline constexpr const char* kNotchOnDieselError = "動力が気動車なのにNotch指定があります";
inline constexpr const char* kEngineOnElectricError = "動力が電車なのにEngine指定があります";
inline constexpr const char* kBrakeStepsError = "ブレーキの段数を3段以上に設定してください";

// Reads one vehicle file into fresh defaults and applies the brake-step rules
// (BrakeType 0 means 4 steps; notched brakes need at least 3). Every failure
// throws DataError with one of the messages above.
VehicleSpec loadVehicleSpec(const std::filesystem::path& file);

}  // namespace tovra
