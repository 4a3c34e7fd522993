#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/UiText.h"

namespace tovra {

// Everything of velmoran.dat: display geometry, the video folder, fixed
// display texts and menu captions.
struct ProgramSettings {
    std::int32_t TickRate = 0;
    std::int32_t FrameLimitFactor = 0;  // video frame count times this is the last frame shown
    std::int32_t StaffOverlayX = 0;
    std::int32_t VideoWidth = 0;   // W
    std::int32_t VideoHeight = 0;  // H
    std::int32_t FadeExtraHeight = 0;
    std::string VideoDir;
    std::string Forward, Neutral, Reverse;
    std::string StopText, PassText, Stop2Text;
    std::string Neut, Neut2, Apply, Maintain, Remove, Hold, Hold2, EB, Const;
    std::string Cars;
    std::string TC;
    std::array<std::string, 2> Stops;
    std::array<std::string, 2> Doors;
    std::array<std::string, 3> Gears;
    std::vector<std::string> InfoLabels;  // at most kInfoLabelCapacity
    std::string StartCaption, MoveCaption, DisplayCaption, ControlCaption, SaveCaption;

    static constexpr std::size_t kInfoLabelCapacity = 100;
};

inline constexpr const char* kSettingsFileError =
    uiTextMark("DataFiles", "stringファイルに誤りがあります");

// Reads velmoran.dat; any failure throws DataError with kSettingsFileError.
ProgramSettings loadProgramSettings(const std::filesystem::path& file);

}  // namespace tovra
