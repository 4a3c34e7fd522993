#include "view/StopMarkers.h"

#include <array>

#include "common/Numeric.h"
#include "data/ProgramSettings.h"
#include "data/RouteSpec.h"
#include "sim/StationState.h"
#include "sim/TrainState.h"
#include "view/SpriteModel.h"

namespace tovra {

namespace {

constexpr Extended kHorizonShare = 0.42L;
constexpr Extended kReach = 100;        // m before the stop
constexpr Extended kFullSizeFrom = 20;  // m: nearer, the lines grow
constexpr int kParked = -100;

struct Marker {
    PanelSprite sprite;
    int zoneSide;  // -1 the near end, 0 the stop position, 1 the far end
};
constexpr std::array<Marker, 3> kMarkers{{
    {PanelSprite::StopLineNear, -1},
    {PanelSprite::StopLine, 0},
    {PanelSprite::StopLineFar, 1},
}};

}  // namespace

int horizonRow(int videoHeight) {
    return int(roundHalfEven(videoHeight * kHorizonShare));
}

void place_stop_markers(SpriteModel& sprites, const TrainState& s, const StationState& stations,
                        const RouteSpec& route, const ProgramSettings& settings) {
    if (route.PerspectiveDistance == 0) return;
    const Extended f = route.PerspectiveDistance;
    const int h = route.PerspectiveScale;
    // The ground at x metres lies at y0 - x / (x + f) * h: y0 is the row of
    // the cab front, h rows below the horizon.
    const int y0 = horizonRow(settings.VideoHeight) + h;
    const Extended d = s.RemainDistance / 100;
    const Extended half =
        Extended(route.stationOrEmpty(std::size_t(stations.nextStopIndex)).zoneHalfLength) / 100;
    for (const Marker& m : kMarkers) {
        Sprite* sprite = sprites.find(m.sprite);
        if (!sprite) continue;
        const Extended x = d + m.zoneSide * half;
        if (d >= kReach || x <= 0) {
            sprite->y = kParked;
            continue;
        }
        sprite->y = int(roundHalfEven(y0 - x / (x + f) * h));
        sprite->x = int(roundHalfEven((settings.VideoWidth - sprite->width) / 2.0L));
        sprite->patternIndex =
            d >= kFullSizeFrom ? (m.zoneSide == 0 ? 1 : 0) : int(roundHalfEven(4 - 0.15L * d));
    }
}

}  // namespace tovra
