#include "FramePositions.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tovra::author {

namespace {

constexpr double kCmPerMetre = 100;

// Metres run `t` seconds into a stretch of `length` m that takes `duration`
// s, from a standstill to a standstill.
double trapezoid(double t, double duration, double length, const RunStyle& style) {
    double a = style.accel / 3.6, b = style.brake / 3.6;  // m/s^2
    const double k = (1 / a + 1 / b) / 2;
    double cruise;
    const double disc = duration * duration - 4 * k * length;
    if (disc >= 0) {
        cruise = (duration - std::sqrt(disc)) / (2 * k);
    } else {
        // Too short for these rates: a triangle, the rates raised alike.
        cruise = 2 * length / duration;
        const double scale = cruise * 2 * k / duration;
        a *= scale;
        b *= scale;
    }
    const double up = cruise / a, down = cruise / b;
    if (t <= up) return a * t * t / 2;
    if (t >= duration - down) {
        const double left = duration - t;
        return length - b * left * left / 2;
    }
    return cruise * up / 2 + cruise * (t - up);
}

}  // namespace

void checkStations(const std::vector<StationInput>& stations, int frameCount, bool needKm) {
    if (stations.size() < 2) throw std::invalid_argument("a route needs at least two stations");
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const StationInput& s = stations[i];
        if (s.frame < 0 || s.frame >= frameCount)
            throw std::invalid_argument("station " + s.name + ": frame " + std::to_string(s.frame) +
                                        " is not in the video (0 to " +
                                        std::to_string(frameCount - 1) + ")");
        if (i == 0) continue;
        if (s.frame <= stations[i - 1].frame)
            throw std::invalid_argument("station " + s.name +
                                        ": frames must rise from station to station");
        if (needKm && s.km <= stations[i - 1].km)
            throw std::invalid_argument("station " + s.name +
                                        ": kilometre posts must rise from station to station");
    }
}

std::vector<double> positionsFromTrack(const std::vector<TrackSample>& track, const TrackSync& sync,
                                       double fps, int frameCount) {
    std::vector<double> out(std::size_t(std::max(frameCount, 0)));
    const double origin = distanceAt(track, sync.time - sync.frame / fps);
    for (int f = 0; f < frameCount; ++f)
        out[f] = (distanceAt(track, sync.time + (f - sync.frame) / fps) - origin) * kCmPerMetre;
    return out;
}

std::vector<double> positionsFromStations(const std::vector<StationInput>& stations, double fps,
                                          int frameCount, const RunStyle& style) {
    std::vector<double> out(std::size_t(std::max(frameCount, 0)), 0.0);
    for (std::size_t i = 0; i + 1 < stations.size(); ++i) {
        const StationInput& from = stations[i];
        const StationInput& to = stations[i + 1];
        const double base = (from.km - stations.front().km) * 1000;
        const double length = (to.km - from.km) * 1000;
        const double duration = (to.frame - from.frame) / fps;
        for (int f = from.frame; f <= to.frame && f < frameCount; ++f)
            out[f] =
                (base + trapezoid((f - from.frame) / fps, duration, length, style)) * kCmPerMetre;
    }
    const double total = out[stations.back().frame];
    std::fill(out.begin() + stations.back().frame, out.end(), total);
    return out;
}

std::vector<double> positionsFromMotion(const std::vector<StationInput>& stations,
                                        const std::vector<double>& motion, double fps) {
    const int frames = int(motion.size());
    std::vector<double> scale(stations.size() - 1);
    for (std::size_t i = 0; i + 1 < stations.size(); ++i) {
        double sum = 0;
        for (int f = stations[i].frame + 1; f <= stations[i + 1].frame; ++f) sum += motion[f];
        scale[i] = sum > 0 ? (stations[i + 1].km - stations[i].km) * 1000 * kCmPerMetre / sum : 0;
    }
    // A stretch without visible motion still has its length: it runs as
    // without a picture.
    const std::vector<double> plain = positionsFromStations(stations, fps, frames);
    std::vector<double> out(std::size_t(frames), 0.0);
    std::size_t stretch = 0;
    for (int f = 1; f < frames; ++f) {
        while (stretch + 2 < stations.size() && f > stations[stretch + 1].frame) ++stretch;
        const bool inside = f > stations[stretch].frame && f <= stations[stretch + 1].frame;
        out[f] = out[f - 1] + (scale[stretch] == 0 && inside ? plain[f] - plain[f - 1]
                                                             : motion[f] * scale[stretch]);
    }
    return out;
}

}  // namespace tovra::author
