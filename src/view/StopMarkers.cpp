#include "view/StopMarkers.h"

#include <array>

#include "cab/Cab.h"
#include "common/Numeric.h"

namespace tovra {

namespace {

constexpr Extended kHorizonShare = 0.42L;
constexpr Extended kReach = 100;        // m before the stop
constexpr Extended kFullSizeFrom = 20;  // m: nearer, the lines grow
constexpr int kParked = -100;

struct Marker {
    const char* name;
    int zoneSide;  // -1 the near end, 0 the stop position, 1 the far end
};
constexpr std::array<Marker, 3> kMarkers{{
    {"img_unten_teimokuS", -1},
    {"img_unten_teimokuM", 0},
    {"img_unten_teimokuE", 1},
}};

}  // namespace

int horizonRow(int videoHeight) {
    return int(roundHalfEven(videoHeight * kHorizonShare));
}

void place_stop_markers(Cab& cab) {
    const RouteSpec& route = cab.route;
    if (route.PerspectiveDistance == 0) return;
    const Extended f = route.PerspectiveDistance;
    const int h = route.PerspectiveScale;
    // The ground at x metres lies at y0 - x / (x + f) * h: y0 is the row of
    // the cab front, h rows below the horizon.
    const int y0 = horizonRow(cab.settings.VideoHeight) + h;
    const Extended d = cab.state.RemainDistance / 100;
    const Extended half =
        Extended(route.stationOrEmpty(std::size_t(cab.stations.nextStopIndex)).zoneHalfLength) /
        100;
    for (const Marker& m : kMarkers) {
        Sprite* sprite = cab.sprites.find(m.name);
        if (!sprite) continue;
        const Extended x = d + m.zoneSide * half;
        if (d >= kReach || x <= 0) {
            sprite->y = kParked;
            continue;
        }
        sprite->y = int(roundHalfEven(y0 - x / (x + f) * h));
        sprite->x = int(roundHalfEven((cab.settings.VideoWidth - sprite->width) / 2.0L));
        sprite->patternIndex =
            d >= kFullSizeFrom ? (m.zoneSide == 0 ? 1 : 0) : int(roundHalfEven(4 - 0.15L * d));
    }
}

}  // namespace tovra
