#include "TrackDistance.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tovra::author {

namespace {

constexpr double kEarthRadius = 6371000;  // m
// Smoothing of the fixes that make the reference line, in fixes either side.
constexpr int kLineSmoothing = 5;
// The reference line's vertices stand at least this far apart, so that the
// wandering of a standing receiver cannot fold it.
constexpr double kVertexSpacing = 25;  // m
// Projections look this many vertices either side of the previous one, so a
// line that passes near itself is not jumped across.
constexpr int kSearchVertices = 8;
constexpr double kDistanceWindow = 6;  // s either side of each fix

struct Point {
    double x = 0, y = 0;
};

std::vector<Point> localMetres(const std::vector<TrackPoint>& points) {
    const double lat0 = points.front().latitude * std::numbers::pi / 180;
    const double lon0 = points.front().longitude;
    std::vector<Point> out;
    for (const TrackPoint& p : points) {
        out.push_back(
            {kEarthRadius * std::cos(lat0) * (p.longitude - lon0) * std::numbers::pi / 180,
             kEarthRadius * (p.latitude - points.front().latitude) * std::numbers::pi / 180});
    }
    return out;
}

std::vector<Point> referenceLine(const std::vector<Point>& raw) {
    const int n = int(raw.size());
    std::vector<Point> line;
    for (int i = 0; i < n; ++i) {
        Point mean;
        const int from = std::max(0, i - kLineSmoothing), to = std::min(n - 1, i + kLineSmoothing);
        for (int j = from; j <= to; ++j) {
            mean.x += raw[j].x / (to - from + 1);
            mean.y += raw[j].y / (to - from + 1);
        }
        if (line.empty() ||
            std::hypot(mean.x - line.back().x, mean.y - line.back().y) >= kVertexSpacing)
            line.push_back(mean);
    }
    if (line.size() < 2) throw std::runtime_error("the GPS track does not move");
    return line;
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
            bestAlong = along[k] + t * std::sqrt(len2);
            bestSegment = k;
        }
    }
    near = bestSegment;
    return bestAlong;
}

// Local quadratic fit over a window of time, taken at its centre.
std::vector<double> smoothOverTime(const std::vector<double>& t, const std::vector<double>& v) {
    const std::size_t n = t.size();
    std::vector<double> out(n);
    std::size_t from = 0, to = 0;
    for (std::size_t i = 0; i < n; ++i) {
        while (t[from] < t[i] - kDistanceWindow) ++from;
        while (to + 1 < n && t[to + 1] <= t[i] + kDistanceWindow) ++to;
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
    const std::vector<Point> line = referenceLine(raw);
    std::vector<double> along{0};
    for (std::size_t k = 1; k < line.size(); ++k)
        along.push_back(along.back() +
                        std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y));
    std::vector<double> times, projected;
    int near = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        times.push_back(points[i].time);
        projected.push_back(project(line, along, raw[i], near));
    }
    const std::vector<double> distance = monotonic(smoothOverTime(times, projected));
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
