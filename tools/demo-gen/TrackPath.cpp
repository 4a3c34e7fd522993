#include "demo-gen/TrackPath.h"

#include <algorithm>

namespace tovra::demo {

namespace {

// Index of the knot pair around c, or -1 outside.
int spanOf(const std::vector<TrackPath::Knot>& knots, double c) {
    for (std::size_t i = 0; i + 1 < knots.size(); ++i)
        if (c >= knots[i].chainage && c <= knots[i + 1].chainage) return int(i);
    return -1;
}

}  // namespace

double TrackPath::lateral(double c) const {
    if (c <= from()) return knots_.front().lateral;
    if (c >= to()) return knots_.back().lateral;
    const int i = spanOf(knots_, c);
    const Knot& a = knots_[std::size_t(i)];
    const Knot& b = knots_[std::size_t(i) + 1];
    const double t = (c - a.chainage) / std::max(1e-9, b.chainage - a.chainage);
    return a.lateral + (b.lateral - a.lateral) * t * t * (3 - 2 * t);
}

double TrackPath::slope(double c) const {
    const int i = spanOf(knots_, c);
    if (i < 0) return 0;
    const Knot& a = knots_[std::size_t(i)];
    const Knot& b = knots_[std::size_t(i) + 1];
    const double len = std::max(1e-9, b.chainage - a.chainage);
    const double t = (c - a.chainage) / len;
    return (b.lateral - a.lateral) * 6 * t * (1 - t) / len;
}

}  // namespace tovra::demo
