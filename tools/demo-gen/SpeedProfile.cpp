#include "demo-gen/SpeedProfile.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/TextFields.h"
#include "demo-gen/DataText.h"

namespace tovra::demo {

namespace {

Extended asWritten(Extended speed) {
    return parseDecimal(decimal(double(speed), kSpeedDecimals));
}

double rateAt(const std::vector<FilmStyle::Band>& bands, double speed) {
    double rate = bands.front().rate;
    for (const auto& band : bands)
        if (speed >= band.fromSpeed) rate = band.rate;
    return rate;
}

enum class Kind { Accel, Cruise, Brake };

struct Phase {
    Kind kind;
    double v0, v1;
    double distance;  // m
    int frames = 0;
};

// The envelope of the leg: accelerating from the start, braking into every
// lower limit and into the stop, never above a limit.
std::vector<double> speedEnvelope(const Leg& leg, const FilmStyle& style, double step) {
    const auto n = std::size_t(std::lround(leg.length / step));  // step divides the length
    std::vector<double> limit(n + 1, leg.topSpeed);
    for (std::size_t i = 0; i <= n; ++i) {
        const double s = double(i) * step;
        for (const auto& zone : leg.limits)
            if (s >= zone.from && s <= zone.to) limit[i] = std::min(limit[i], zone.speed);
    }
    // v^2 grows by 2 a ds in m/s units, which is 7.2 a ds with km/h and km/h/s.
    std::vector<double> forward(n + 1), backward(n + 1);
    for (std::size_t i = 0; i < n; ++i)
        forward[i + 1] = std::min(
            limit[i + 1],
            std::sqrt(forward[i] * forward[i] + 7.2 * rateAt(style.accel, forward[i]) * step));
    for (std::size_t i = n; i > 0; --i)
        backward[i - 1] = std::min(
            limit[i - 1],
            std::sqrt(backward[i] * backward[i] + 7.2 * rateAt(style.brake, backward[i]) * step));
    std::vector<double> v(n + 1);
    for (std::size_t i = 0; i <= n; ++i) v[i] = std::min(forward[i], backward[i]);
    v.front() = v.back() = 0;
    return v;
}

// Splits the envelope into runs of one kind, then splits accelerating and
// braking runs where the rate changes.
std::vector<Phase> phasesOf(const std::vector<double>& v, double step, const FilmStyle& style) {
    std::vector<Phase> phases;
    for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        const double dv = v[i + 1] - v[i];
        const Kind kind = dv > 1e-9 ? Kind::Accel : dv < -1e-9 ? Kind::Brake : Kind::Cruise;
        if (!phases.empty() && phases.back().kind == kind) {
            phases.back().v1 = v[i + 1];
            phases.back().distance += step;
        } else {
            phases.push_back({kind, v[i], v[i + 1], step});
        }
    }
    std::vector<Phase> split;
    for (const Phase& p : phases) {
        if (p.kind == Kind::Cruise) {
            split.push_back(p);
            continue;
        }
        const auto& bands = p.kind == Kind::Accel ? style.accel : style.brake;
        std::vector<double> cuts{p.v0};
        for (const auto& band : bands)
            if (band.fromSpeed > std::min(p.v0, p.v1) + 1e-6 &&
                band.fromSpeed < std::max(p.v0, p.v1) - 1e-6)
                cuts.push_back(band.fromSpeed);
        if (p.kind == Kind::Brake) std::sort(cuts.begin() + 1, cuts.end(), std::greater<>());
        cuts.push_back(p.v1);
        for (std::size_t k = 0; k + 1 < cuts.size(); ++k)
            split.push_back({p.kind, cuts[k], cuts[k + 1], 0});
    }
    for (Phase& p : split) {
        double seconds;
        if (p.kind == Kind::Cruise) {
            seconds = p.distance / std::max(0.1, p.v0 / 3.6);
        } else {
            const auto& bands = p.kind == Kind::Accel ? style.accel : style.brake;
            seconds = std::abs(p.v1 - p.v0) / rateAt(bands, std::min(p.v0, p.v1));
        }
        p.frames = std::max(1, int(std::lround(seconds * kFilmFramesPerSecond)));
    }
    return split;
}

std::vector<SpeedUnit> unitsOf(const std::vector<Phase>& phases, int firstFrame) {
    std::vector<SpeedUnit> units;
    int frame = firstFrame;
    for (const Phase& p : phases) {
        SpeedUnit u;
        u.FirstFrame = frame;
        u.LastFrame = frame + p.frames;
        u.FirstSpeed = asWritten(p.v0);
        u.LastSpeed = asWritten(p.v1);
        units.push_back(u);
        frame = u.LastFrame;
    }
    return units;
}

std::int64_t lengthOf(const std::vector<SpeedUnit>& units) {
    std::int64_t sum = 0;
    for (const auto& u : units) sum += segmentLength(u);
    return sum;
}

// Whole frames change the distance a little; the speed at the start of the
// final braking takes it up, spread over the two segments that meet there.
void matchLength(std::vector<Phase>& phases, const Leg& leg, int firstFrame) {
    std::size_t brakeStart = phases.size();
    while (brakeStart > 0 && phases[brakeStart - 1].kind == Kind::Brake) --brakeStart;
    if (brakeStart == 0 || brakeStart == phases.size())
        throw std::logic_error("a filmed leg must accelerate and brake");
    Phase& before = phases[brakeStart - 1];
    Phase& after = phases[brakeStart];
    const auto target = std::int64_t(std::llround(leg.length * 100.0));
    for (int attempt = 0; attempt < 6; ++attempt) {
        const std::int64_t error = target - lengthOf(unitsOf(phases, firstFrame));
        if (error == 0) return;
        const double delta = double(error) * 2.16 / double(before.frames + after.frames);
        before.v1 += delta;
        after.v0 = before.v1;
    }
}

}  // namespace

SpeedProfile::SpeedProfile(std::vector<SpeedUnit> units) : units_(std::move(units)) {
    for (auto& u : units_) {
        u.FirstSpeed = asWritten(u.FirstSpeed);
        u.LastSpeed = asWritten(u.LastSpeed);
    }
    computeEndDistances(units_);
}

std::int64_t SpeedProfile::position(int frame) const {
    if (units_.empty() || frame <= units_.front().FirstFrame) return 0;
    if (frame >= units_.back().LastFrame) return units_.back().EndDistance;
    return frame_to_position(units_, frame).value_or(0);
}

double SpeedProfile::speed(int frame) const {
    for (const auto& u : units_) {
        if (!containsFrame(u, frame)) continue;
        if (u.LastFrame == u.FirstFrame) return double(u.LastSpeed);
        return double(u.FirstSpeed + (u.LastSpeed - u.FirstSpeed) * (frame - u.FirstFrame) /
                                         (u.LastFrame - u.FirstFrame));
    }
    return 0;
}

int SpeedProfile::frameAt(double cm) const {
    int lo = 0, hi = lastFrame();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (double(position(mid)) >= cm)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

PlannedRun planRun(const std::vector<Leg>& legs, const FilmStyle& style) {
    PlannedRun run;
    int frame = 0;
    for (const Leg& leg : legs) {
        // About a quarter metre, dividing the leg exactly.
        const double step = leg.length / double(std::max(1L, std::lround(leg.length / 0.25)));
        std::vector<Phase> phases = phasesOf(speedEnvelope(leg, style, step), step, style);
        matchLength(phases, leg, frame);
        const auto units = unitsOf(phases, frame);
        run.units.insert(run.units.end(), units.begin(), units.end());
        frame = units.back().LastFrame;
        run.legEndFrames.push_back(frame);
    }
    return run;
}

}  // namespace tovra::demo
