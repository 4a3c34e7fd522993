#pragma once

namespace tovra {

class SpriteModel;
struct ProgramSettings;
struct RouteSpec;
struct StationState;
struct TrainState;

// Within 100 m of the next stop, the three stop lines (the zone's near end,
// the stop position, the zone's far end) stand on the track ahead by the
// route's perspective, nearer lines lower and larger; a line not shown waits
// above the picture.
void place_stop_markers(SpriteModel& sprites, const TrainState& s, const StationState& stations,
                        const RouteSpec& route, const ProgramSettings& settings);

// The row of the cab view's horizon in the video picture: the films are
// taken with the horizon a little above the middle.
int horizonRow(int videoHeight);

}  // namespace tovra
