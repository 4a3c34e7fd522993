#pragma once

#include <vector>

namespace tovra::demo {

// The lateral position (m, right of the line's centre going down) of one track
// along the chainage: knots joined by smooth S-curves, as a track leaves and
// rejoins another through points. Beyond the end knots the path holds its
// end positions.
class TrackPath {
  public:
    struct Knot {
        double chainage;
        double lateral;
    };

    TrackPath() = default;
    TrackPath(double from, double to, double lateral) : knots_{{from, lateral}, {to, lateral}} {}
    explicit TrackPath(std::vector<Knot> knots) : knots_(std::move(knots)) {}

    double from() const { return knots_.front().chainage; }
    double to() const { return knots_.back().chainage; }
    bool covers(double c) const { return c >= from() && c <= to(); }
    double lateral(double c) const;
    double slope(double c) const;  // d lateral / d chainage
    const std::vector<Knot>& knots() const { return knots_; }

  private:
    std::vector<Knot> knots_;
};

}  // namespace tovra::demo
