#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/UiText.h"
#include "data/RouteSpec.h"

namespace tovra {

inline constexpr const char* kRouteFileError =
    uiTextMark("DataFiles", "路線ファイルに誤りがあります。");

// The message of a route file that cannot be used: the section label and the
// line being read when it failed, in the player's language.
std::string routeFileMessage(std::string_view label, std::string_view line);

// "[Monitor]" is tested after "[SoundData]" has set the label, so a monitor
// picture that cannot be loaded is reported with this label and the picture's
// file name line.
inline constexpr const char* kMonitorErrorLabel = "[SoundData]";

// Reads a route file into fresh defaults. `vehicleFileName` is the vehicle file
// chosen for the run, which selects the route's "[Monitor]" picture. Throws
// DataError with routeFileMessage(...) on any failure, or a sign or signal
// image line's own message when that line is malformed. Speed segments come
// back with their EndDistance; all other positions are left for set-up.
// With `speedUnitLines`, the line of the file each speed segment was read from.
RouteSpec loadRouteSpec(const std::filesystem::path& file, const std::string& vehicleFileName,
                        std::vector<std::size_t>* speedUnitLines = nullptr);

// Reads the "[SpeedUnit]" list of a route file alone, with its EndDistance;
// throws DataError as loadRouteSpec does, or when the file has no such list.
std::vector<SpeedUnit> loadSpeedUnits(const std::filesystem::path& file);

}  // namespace tovra
