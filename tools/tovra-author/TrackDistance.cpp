#include "TrackDistance.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tovra::author {

namespace {

constexpr double kEarthRadius = 6371000;  // m
constexpr double kLineWindow = 5;         // s either side of each fix
// The reference line's vertices stand at least this far apart, so that the
// wandering of a standing receiver cannot fold it and what noise is left
// does not lengthen it (arcDistances() keeps the curves their length).
constexpr double kVertexSpacing = 75;  // m
// Projections look this many vertices either side of the previous one, so a
// line that passes near itself is not jumped across.
constexpr int kSearchVertices = 8;
constexpr double kDistanceWindow = 6;  // s either side of each fix

struct Point {
    double x = 0, y = 0;
};

// East metres at each fix's own latitude (one scale for the whole track
// would stretch a line running north by a few metres in ten kilometres).
std::vector<Point> localMetres(const std::vector<TrackPoint>& points) {
    const double lon0 = points.front().longitude;
    std::vector<Point> out;
    for (const TrackPoint& p : points) {
        const double lat = p.latitude * std::numbers::pi / 180;
        out.push_back(
            {kEarthRadius * std::cos(lat) * (p.longitude - lon0) * std::numbers::pi / 180,
             kEarthRadius * (p.latitude - points.front().latitude) * std::numbers::pi / 180});
    }
    return out;
}

// Distance at each vertex of `line` along the curve through the vertices:
// each chord is lengthened to the arc of the curvature its ends turn by, so
// that sparse vertices (few, against the noise) do not cut the curves short.
std::vector<double> arcDistances(const std::vector<Point>& line) {
    const std::size_t n = line.size();
    std::vector<double> chord(n - 1), heading(n - 1), curvature(n, 0.0);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        chord[k] = std::hypot(line[k + 1].x - line[k].x, line[k + 1].y - line[k].y);
        heading[k] = std::atan2(line[k + 1].y - line[k].y, line[k + 1].x - line[k].x);
    }
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const double turn = std::remainder(heading[k] - heading[k - 1], 2 * std::numbers::pi);
        curvature[k] = turn / ((chord[k - 1] + chord[k]) / 2);
    }
    std::vector<double> along{0};
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double half = chord[k] * std::abs(curvature[k] + curvature[k + 1]) / 4;
        along.push_back(along.back() + (half > 1e-9 ? chord[k] * half / std::sin(half) : chord[k]));
    }
    return along;
}

// Distance along `line` of the point nearest to `p` on the segments near
// vertex `near`; the first and last segments reach on beyond their ends.
double project(const std::vector<Point>& line, const std::vector<double>& along, const Point& p,
               int& near) {
    const int last = int(line.size()) - 2;
    double best = INFINITY, bestAlong = along[near];
    int bestSegment = near;
    for (int k = std::max(0, near - kSearchVertices); k <= std::min(last, near + kSearchVertices);
         ++k) {
        const Point& a = line[k];
        const Point& b = line[k + 1];
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
        if (k > 0) t = std::max(t, 0.0);
        if (k < last) t = std::min(t, 1.0);
        const double gap = std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
        if (gap < best) {
            best = gap;
            bestAlong = along[k] + t * (along[k + 1] - along[k]);
            bestSegment = k;
        }
    }
    near = bestSegment;
    return bestAlong;
}

// Local quadratic fit over a window of time, taken at its centre.
std::vector<double> smoothOverTime(const std::vector<double>& t, const std::vector<double>& v,
                                   double window) {
    const std::size_t n = t.size();
    std::vector<double> out(n);
    std::size_t from = 0, to = 0;
    for (std::size_t i = 0; i < n; ++i) {
        while (t[from] < t[i] - window) ++from;
        while (to + 1 < n && t[to + 1] <= t[i] + window) ++to;
        // Normal equations of v = c0 + c1 u + c2 u^2, u = t - t[i].
        double s[5] = {}, r[3] = {};
        for (std::size_t j = from; j <= to; ++j) {
            const double u = t[j] - t[i];
            double p = 1;
            for (int k = 0; k < 5; ++k, p *= u) {
                s[k] += p;
                if (k < 3) r[k] += p * v[j];
            }
        }
        const double a[3][3] = {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
        const double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                           a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
        const double scale = s[0] * s[2] * s[4];
        if (to - from < 3 || std::abs(det) <= 1e-9 * std::max(scale, 1.0)) {
            out[i] = r[0] / s[0];
            continue;
        }
        out[i] = (r[0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                  a[0][1] * (r[1] * a[2][2] - a[1][2] * r[2]) +
                  a[0][2] * (r[1] * a[2][1] - a[1][1] * r[2])) /
                 det;
    }
    return out;
}

// The track smoothed by a local quadratic over time, which follows a curve
// (a plain mean of neighbouring fixes cuts it short), thinned to vertices
// kVertexSpacing apart.
std::vector<Point> referenceLine(const std::vector<double>& times, const std::vector<Point>& raw) {
    std::vector<double> xs, ys;
    for (const Point& p : raw) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    xs = smoothOverTime(times, xs, kLineWindow);
    ys = smoothOverTime(times, ys, kLineWindow);
    std::vector<Point> line;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (line.empty() ||
            std::hypot(xs[i] - line.back().x, ys[i] - line.back().y) >= kVertexSpacing)
            line.push_back({xs[i], ys[i]});
    }
    if (line.size() < 2) throw std::runtime_error("the GPS track does not move");
    return line;
}

// The nearest non-decreasing sequence in least squares (pool adjacent violators).
std::vector<double> monotonic(const std::vector<double>& v) {
    std::vector<double> mean;
    std::vector<std::size_t> count;
    for (double x : v) {
        mean.push_back(x);
        count.push_back(1);
        while (mean.size() > 1 && mean[mean.size() - 2] > mean.back()) {
            const std::size_t k = mean.size() - 1;
            mean[k - 1] =
                (mean[k - 1] * count[k - 1] + mean[k] * count[k]) / (count[k - 1] + count[k]);
            count[k - 1] += count[k];
            mean.pop_back();
            count.pop_back();
        }
    }
    std::vector<double> out;
    for (std::size_t k = 0; k < mean.size(); ++k) out.insert(out.end(), count[k], mean[k]);
    return out;
}

}  // namespace

std::vector<TrackSample> alongTrack(const std::vector<TrackPoint>& points) {
    if (points.size() < 2) throw std::runtime_error("the GPS track has fewer than two fixes");
    const std::vector<Point> raw = localMetres(points);
    std::vector<double> times;
    for (const TrackPoint& p : points) times.push_back(p.time);
    const std::vector<Point> line = referenceLine(times, raw);
    const std::vector<double> along = arcDistances(line);
    std::vector<double> projected;
    int near = 0;
    for (const Point& p : raw) projected.push_back(project(line, along, p, near));
    const std::vector<double> distance =
        monotonic(smoothOverTime(times, projected, kDistanceWindow));
    std::vector<TrackSample> out;
    for (std::size_t i = 0; i < points.size(); ++i)
        out.push_back({times[i], distance[i] - distance.front(), points[i].elevation});
    return out;
}

double distanceAt(const std::vector<TrackSample>& samples, double time) {
    const auto after = std::lower_bound(samples.begin(), samples.end(), time,
                                        [](const TrackSample& s, double t) { return s.time < t; });
    if (after == samples.begin()) return samples.front().distance;
    if (after == samples.end()) return samples.back().distance;
    const TrackSample& a = *(after - 1);
    const TrackSample& b = *after;
    if (b.time <= a.time) return b.distance;
    return a.distance + (b.distance - a.distance) * (time - a.time) / (b.time - a.time);
}

}  // namespace tovra::author
