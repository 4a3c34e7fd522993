#include "SegmentFit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "RouteText.h"

namespace tovra::author {

namespace {

// cm a segment covers per km/h of (FirstSpeed + LastSpeed) and frame.
constexpr double kLengthPerSpeedFrame = 1 / 2.16;
// A segment also ends near the speed the positions show there (over a second
// around it), so that a segment that reaches past a change of acceleration
// does not leave the next one a jump in speed.
constexpr double kSpeedTolerance = 3;  // km/h
constexpr int kSpeedSpan = 15;         // frames either side

double speedAround(const std::vector<double>& positions, int frame) {
    const int from = std::max(0, frame - kSpeedSpan);
    const int to = std::min(int(positions.size()) - 1, frame + kSpeedSpan);
    return to > from ? speedOfStep((positions[to] - positions[from]) / (to - from)) : 0;
}

struct Candidate {
    SpeedUnit unit;
    double endPosition = 0;  // cm, as the rule counts it
};

// The segment from frame a (at position `start`) to frame b that ends on
// positions[b]: its first speed `keep` when that fits, else the least-squares
// one; nothing when no speeds within limits stay inside the tolerance.
std::optional<Candidate> trySegment(const std::vector<double>& positions, int a, int b,
                                    double start, std::optional<double> keep, double tolerance) {
    const double frames = b - a;
    const double length = std::max(0.0, positions[b] - start);
    const double sum = length / (kLengthPerSpeedFrame * frames);  // FirstSpeed + LastSpeed
    // Position at a + k: first * u(k) + length * k^2 / frames^2.
    const auto u = [&](double k) { return 2 * k * (1 - k / frames) * kLengthPerSpeedFrame; };
    const auto check = [&](double first) -> std::optional<Candidate> {
        first = std::clamp(first, 0.0, sum);
        SpeedUnit unit;
        unit.FirstFrame = a;
        unit.LastFrame = b;
        unit.FirstSpeed = roundedSpeed(first);
        unit.LastSpeed = roundedSpeed(std::max(0.0, sum - first));
        if (!isWithinFilmSpeed(unit)) return std::nullopt;
        const double f = double(unit.FirstSpeed);
        const double l = double(unit.LastSpeed);
        if (b - a > 2 * kSpeedSpan && std::abs(l - speedAround(positions, b)) > kSpeedTolerance)
            return std::nullopt;
        for (int k = 1; k < b - a; ++k) {
            const double speed = f + (l - f) * k / frames;
            const double at = start + (speed + f) * k * kLengthPerSpeedFrame;
            if (std::abs(at - positions[a + k]) > tolerance) return std::nullopt;
        }
        return Candidate{unit, start + double(segmentLength(unit))};
    };
    if (keep && *keep <= sum) {
        if (auto kept = check(*keep)) return kept;
    }
    double uu = 0, ur = 0;
    for (int k = 1; k < b - a; ++k) {
        const double r = positions[a + k] - start - length * k * k / (frames * frames);
        uu += u(k) * u(k);
        ur += u(k) * r;
    }
    return check(uu > 0 ? ur / uu : sum / 2);
}

}  // namespace

std::vector<SpeedUnit> fitSpeedUnits(const std::vector<double>& positions, double tolerance) {
    std::vector<SpeedUnit> units;
    const int last = int(positions.size()) - 1;
    double start = positions.empty() ? 0 : positions.front();
    std::optional<double> keep;
    for (int a = 0; a < last;) {
        // Grow the segment by doubling, then halve back to the longest that fits.
        std::optional<Candidate> best = trySegment(positions, a, a + 1, start, keep, tolerance);
        int good = a + 1, bad = last + 1;
        for (int step = 2; good < last; step *= 2) {
            const int b = std::min(last, a + step);
            if (auto c = trySegment(positions, a, b, start, keep, tolerance)) {
                best = c;
                good = b;
            } else {
                bad = b;
                break;
            }
        }
        while (bad - good > 1) {
            const int b = (good + bad) / 2;
            if (auto c = trySegment(positions, a, b, start, keep, tolerance)) {
                best = c;
                good = b;
            } else {
                bad = b;
            }
        }
        // One frame always fits, short of a speed beyond the rule's limit.
        if (!best) best = Candidate{SpeedUnit{a, a + 1, 0, 0, 0}, start};
        units.push_back(best->unit);
        start = best->endPosition;
        keep = double(best->unit.LastSpeed);
        a = good;
    }
    computeEndDistances(units);
    return units;
}

}  // namespace tovra::author
