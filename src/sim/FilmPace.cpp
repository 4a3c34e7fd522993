#include "sim/FilmPace.h"

#include <cstdlib>

#include "data/RouteSpec.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

// The position the film gives for entering section i from section `from`.
Extended resyncPosition(const RouteSpec& route, std::size_t i, std::int32_t from) {
    if (i == 0) return 0;
    if (std::int32_t(i) > from) return Extended(route.SpeedUnits[i - 1].EndDistance);
    return Extended(route.SpeedUnits[i].EndDistance);
}

std::int32_t filmedSpeed(const SpeedUnit& u, std::int32_t frame) {
    return std::int32_t(roundHalfAway((u.LastSpeed - u.FirstSpeed) / (u.LastFrame - u.FirstFrame) *
                                          (frame - u.FirstFrame) +
                                      u.FirstSpeed));
}

}  // namespace

void advance_frames(TrainState& s, FilmPace& v, const RouteSpec& route) {
    const auto speed = roundHalfAway(s.Speed);
    v.FrameAccumulator += std::int32_t(std::llabs(speed));
    const std::int32_t direction = s.Speed < 0 ? -1 : 1;
    if (v.FrameAccumulator >= v.FilmSpeed) {
        if (v.FilmSpeed == 0) {
            s.Frame += direction * v.FrameAccumulator * 2;
            v.FrameAccumulator = 0;
        } else {
            s.Frame += direction * (v.FrameAccumulator / v.FilmSpeed);
            v.FrameAccumulator %= v.FilmSpeed;
        }
    }
    const auto& units = route.SpeedUnits;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const SpeedUnit& u = units[i];
        if (!(u.FirstFrame <= s.Frame && s.Frame < u.LastFrame)) continue;
        if (std::int32_t(i) != v.CurrentSection && v.CurrentSection != -1)
            s.Position = resyncPosition(route, i, v.CurrentSection);
        v.FilmSpeed = filmedSpeed(u, s.Frame);
        v.CurrentSection = std::int32_t(i);
    }
    if (s.FollowVideoSpeed) s.Speed = v.FilmSpeed;
}

void findFilmSection(FilmPace& v, const RouteSpec& route, std::int32_t frame) {
    v.CurrentSection = -1;
    v.FilmSpeed = 0;
    const auto& units = route.SpeedUnits;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const SpeedUnit& u = units[i];
        if (!(u.FirstFrame <= frame && frame < u.LastFrame)) continue;
        v.FilmSpeed = filmedSpeed(u, frame);
        v.CurrentSection = std::int32_t(i);
    }
}

}  // namespace tovra
