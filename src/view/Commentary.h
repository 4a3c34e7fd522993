#pragma once

#include "data/ProgramSettings.h"
#include "data/RouteSpec.h"
#include "data/UserOptions.h"
#include "sim/ProtectionState.h"
#include "sim/StationState.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"
#include "view/StatusTexts.h"
#include "view/VideoState.h"

namespace tovra {

// What the advice line is made from.
struct CommentaryFacts {
    const TrainState& state;
    const ProtectionState& protection;
    const StationState& stations;
    const TractionState& traction;
    const RouteSpec& route;
    const ProgramSettings& settings;
    const UserOptions& options;
};

// Logic tick, after the door and station work: the advice line. A changed
// message renews noticeText and asks the next drawing pass to redraw.
void update_commentary(StatusTexts& t, VideoState& video, const CommentaryFacts& facts);

}  // namespace tovra
