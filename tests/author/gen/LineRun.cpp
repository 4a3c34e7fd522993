#include "LineRun.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>

namespace tovra::author::test {

namespace {

constexpr double kAccel = 2.0 / 3.6, kBrake = 2.5 / 3.6;  // m/s^2

struct Point {
    double x = 0, y = 0;
};

// The line's centre every metre.
std::vector<Point> sampled(const std::vector<LinePiece>& line) {
    std::vector<Point> out{{0, 0}};
    double heading = 0;
    for (const LinePiece& piece : line) {
        for (int m = 0; m < int(piece.length); ++m) {
            const double turn = piece.radius == 0 ? 0 : 1 / piece.radius;
            // Exact arc (or straight) of one metre.
            const double mid = heading + turn / 2;
            const double chord = turn == 0 ? 1 : 2 * std::sin(turn / 2) / turn;
            out.push_back(
                {out.back().x + chord * std::cos(mid), out.back().y + chord * std::sin(mid)});
            heading += turn;
        }
    }
    return out;
}

double interpolated(const std::vector<double>& v, double at) {
    const double i = std::clamp(at, 0.0, double(v.size() - 1));
    const std::size_t k = std::min(std::size_t(i), v.size() - 2);
    return v[k] + (v[k + 1] - v[k]) * (i - double(k));
}

}  // namespace

std::vector<LinePiece> straightLine() {
    return {{6600, 0}};
}

std::vector<LinePiece> windingLine() {
    return {{400, 0},    {450, 450},  {300, 0},    {500, -450}, {250, 0},    {400, 300},
            {400, -300}, {300, 0},    {700, 1000}, {200, 0},    {600, -600}, {350, 0},
            {450, 450},  {450, -450}, {300, 0},    {600, 800},  {500, 0}};
}

std::vector<LinePiece> horseshoeLine() {
    // 1100 m of a 300 m radius turn is 210 degrees: the way home crosses
    // near the way out.
    return {{2000, 0}, {1100, 300}, {3500, 0}};
}

TrainRun::TrainRun(std::vector<TrainStop> stops, double topKmh, double lead)
    : stops_(std::move(stops)) {
    const double top = topKmh / 3.6;
    double x = stops_.front().at, v = 0, t = 0;
    const auto record = [&] {
        distance_.push_back(x);
        speed_.push_back(v * 3.6);
        t += step_;
    };
    const auto stand = [&](double seconds) {
        for (double until = t + seconds; t < until - step_ / 2;) record();
    };
    restsAt_.push_back(0);
    stand(lead + stops_.front().dwell);
    for (std::size_t i = 1; i < stops_.size(); ++i) {
        const double target = stops_[i].at;
        while (true) {
            const double left = target - x;
            if (left <= 1e-6 || (v <= 0 && left < 1e-3)) break;
            double a = std::min(kAccel, (top - v) / step_);
            if (v * v / (2 * kBrake) >= left) a = -v * v / (2 * left);
            const double nv = std::max(0.0, v + a * step_);
            x = std::min(target, x + (v + nv) / 2 * step_);
            v = nv;
            record();
            if (v == 0) break;
        }
        x = target;
        v = 0;
        restsAt_.push_back(t);
        stand(i + 1 == stops_.size() ? lead : stops_[i].dwell);
    }
    record();
}

double TrainRun::distance(double t) const {
    return interpolated(distance_, t / step_);
}
double TrainRun::speed(double t) const {
    return interpolated(speed_, t / step_);
}

std::vector<TrackPoint> receiverFixes(const TrainRun& run, const std::vector<LinePiece>& line,
                                      double noise, unsigned seed, double start) {
    const std::vector<Point> centre = sampled(line);
    std::mt19937 random(seed);
    std::normal_distribution<double> error(0, noise);
    constexpr double kMetresPerDegree = 6371000 * std::numbers::pi / 180;
    std::vector<TrackPoint> out;
    for (int s = 0; s <= int(run.duration()); ++s) {
        const double d = run.distance(s);
        if (d >= double(centre.size() - 1))
            throw std::logic_error("the run is longer than the line");
        const std::size_t k = std::size_t(d);
        const double w = d - double(k);
        const double x = centre[k].x + (centre[k + 1].x - centre[k].x) * w + error(random);
        const double y = centre[k].y + (centre[k + 1].y - centre[k].y) * w + error(random);
        // On the sphere: a degree of longitude is shorter the farther north.
        const double lat = 35 + y / kMetresPerDegree;
        const double lon = 139 + x / (kMetresPerDegree * std::cos(lat * std::numbers::pi / 180));
        out.push_back({start + s, lat, lon, 20 + d / 100});
    }
    return out;
}

}  // namespace tovra::author::test
