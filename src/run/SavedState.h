#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/Numeric.h"

namespace tovra {

class Cab;
struct RouteSpec;

// The driving state kept in one save slot.
struct SavedState {
    std::string routeFile;
    std::int32_t station = 0;  // the last station whose zone was entered
    Extended speed = 0;        // km/h
    std::int32_t frame = 0;
    std::int32_t clock = 0;
    Extended position = 0;  // cm
    std::int32_t preTrainFrame = 0;
};

SavedState captureState(const Cab& cab, std::string routeFile);

// Seven comma-separated values; speed and position as whole numbers, halves
// to even.
std::string formatSavedState(const SavedState& state);

// The seven values of a saved text; throws ReadFailure when a number field
// is missing, not a number, or beyond any train's speed or line's length.
SavedState parseSavedState(std::string_view text);

// LineName2 with the stretch the train is on, e.g. "線（A～B）"; empty before
// the first stop position.
std::string stretchTitle(const RouteSpec& route, Extended position);

}  // namespace tovra
