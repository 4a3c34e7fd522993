#include "StopFinder.h"

#include <algorithm>
#include <cmath>

namespace tovra::author {

namespace {

constexpr double kSpeedSpan = 0.25;  // s either side for the speed at a frame
// At rest below this share of the run's brisk speed (its 95th percentile),
// whatever the unit of the distances.
constexpr double kRestShare = 0.01;
// Two rests with less movement than this much time at the brisk speed
// between them are one stop: a receiver's wander, or drawing up.
constexpr double kCreep = 0.3;  // s
// Standing this long or less is braking to rest and pulling away at once:
// the video cuts the dwell away.
constexpr double kCutAway = 2;  // s
// Standing shorter than this, where the video goes on, is a signal stop.
constexpr double kSignalStop = 15;  // s

// The frame where the braking before `first`, a straight line through the
// speeds of the second before it, reaches 0: speeds below the rest share are
// too small to tell from standing, so `first` comes a little early.
int restFrame(const std::vector<double>& speed, int first, int last, double fps) {
    const int from = std::max(0, first - int(std::lround(fps)));
    if (first - from < 3) return first;
    double n = 0, sf = 0, sv = 0, sff = 0, sfv = 0;
    for (int f = from; f < first; ++f) {
        n += 1;
        sf += f;
        sv += speed[f];
        sff += double(f) * f;
        sfv += f * speed[f];
    }
    const double slope = (n * sfv - sf * sv) / (n * sff - sf * sf);
    if (!(slope < 0)) return first;
    const double zero = (sv - slope * sf) / n / -slope;
    return std::clamp(int(std::lround(zero)), first, last);
}

}  // namespace

std::vector<FoundStop> findStops(const std::vector<double>& along, double fps) {
    const int n = int(along.size());
    if (n < 2) return {};
    const int span = std::max(1, int(std::lround(kSpeedSpan * fps)));
    std::vector<double> speed(n);
    for (int f = 0; f < n; ++f) {
        const int a = std::max(0, f - span), b = std::min(n - 1, f + span);
        speed[f] = (along[b] - along[a]) / (b - a);
    }
    std::vector<double> sorted = speed;
    const auto brisk = sorted.begin() + std::ptrdiff_t(0.95 * (n - 1));
    std::nth_element(sorted.begin(), brisk, sorted.end());
    const double rest = *brisk * kRestShare;
    const double creep = *brisk * kCreep * fps;

    struct Run {
        int first, last;
    };
    std::vector<Run> runs;
    for (int f = 0; f < n; ++f) {
        if (speed[f] > rest) continue;
        if (!runs.empty() &&
            (runs.back().last == f - 1 || along[f] - along[runs.back().last] < creep)) {
            runs.back().last = f;
        } else {
            runs.push_back({f, f});
        }
    }
    std::vector<FoundStop> stops;
    for (const Run& r : runs) {
        const double dwell = (r.last - r.first + 1) / fps;
        const bool edge = r.first == 0 || r.last == n - 1;
        stops.push_back({restFrame(speed, r.first, r.last, fps), dwell <= kCutAway ? 0 : dwell,
                         edge || dwell <= kCutAway || dwell >= kSignalStop});
    }
    return stops;
}

}  // namespace tovra::author
