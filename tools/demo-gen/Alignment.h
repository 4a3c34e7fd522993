#pragma once

#include <vector>

namespace tovra::demo {

// A curve of the line; radius > 0 bends right for a train going down (the
// chainage rising). Its curvature eases in and out over `transition` metres.
struct Curve {
    double from, to, radius;
    double transition = 40;
};

// A constant gradient between two chainages, permil, + rising going down.
struct Grade {
    double from, to, permil;
};

// Plan and profile of the line as tables along the chainage: curvature and its
// integrals for the view ahead, the smoothed gradient and the elevation.
class Alignment {
  public:
    Alignment(const std::vector<Curve>& curves, const std::vector<Grade>& grades, double from,
              double to);

    double curvature(double c) const { return sample(curvature_, c); }  // 1/m
    double angle(double c) const { return sample(angle_, c); }          // rad
    double drift(double c) const { return sample(drift_, c); }          // m, integral of angle
    double grade(double c) const { return sample(grade_, c); }          // permil
    double elevation(double c) const { return sample(elevation_, c); }  // m

  private:
    double sample(const std::vector<double>& table, double c) const;

    double from_;
    double step_ = 0.5;
    std::vector<double> curvature_, angle_, drift_, grade_, elevation_;
};

}  // namespace tovra::demo
