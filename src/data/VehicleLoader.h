#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/UiText.h"
#include "data/VehicleSpec.h"

namespace tovra {

// Followed by the group label in force when the reading failed.
inline constexpr const char* kVehicleFileError =
    uiTextMark("DataFiles", "車両ファイルに誤りがあります");
inline constexpr const char* kNotchOnDieselError =
    uiTextMark("DataFiles", "動力が気動車なのにNotch指定があります");
inline constexpr const char* kEngineOnElectricError =
    uiTextMark("DataFiles", "動力が電車なのにEngine指定があります");
inline constexpr const char* kBrakeStepsError =
    uiTextMark("DataFiles", "ブレーキの段数を3段以上に設定してください");

// kVehicleFileError and the group label, in the player's language.
std::string vehicleFileMessage(std::string_view label);

// Reads one vehicle file into fresh defaults and applies the brake-step rules
// (BrakeType 0 means 4 steps; notched brakes need at least 3). Every failure
// throws DataError with one of the messages above.
VehicleSpec loadVehicleSpec(const std::filesystem::path& file);

}  // namespace tovra
