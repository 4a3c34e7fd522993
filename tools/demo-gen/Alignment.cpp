#include "demo-gen/Alignment.h"

#include <algorithm>
#include <cmath>

namespace tovra::demo {

namespace {

double curvatureAt(const std::vector<Curve>& curves, double c) {
    for (const Curve& k : curves) {
        if (c < k.from || c > k.to) continue;
        const double ease = std::min({1.0, (c - k.from) / k.transition, (k.to - c) / k.transition});
        return ease / k.radius;
    }
    return 0;
}

double rawGrade(const std::vector<Grade>& grades, double c) {
    for (const Grade& g : grades)
        if (c >= g.from && c < g.to) return g.permil;
    return 0;
}

}  // namespace

Alignment::Alignment(const std::vector<Curve>& curves, const std::vector<Grade>& grades,
                     double from, double to)
    : from_(from) {
    const auto n = std::size_t((to - from) / step_) + 2;
    curvature_.resize(n);
    angle_.resize(n);
    drift_.resize(n);
    grade_.resize(n);
    elevation_.resize(n);
    // Vertical curves: the gradient changes over 40 m rather than at a point.
    constexpr double kVertical = 20;
    for (std::size_t i = 0; i < n; ++i) {
        const double c = from + double(i) * step_;
        curvature_[i] = curvatureAt(curves, c);
        double sum = 0;
        int count = 0;
        for (double d = -kVertical; d <= kVertical; d += 2.0, ++count)
            sum += rawGrade(grades, c + d);
        grade_[i] = sum / count;
        if (i == 0) continue;
        angle_[i] = angle_[i - 1] + (curvature_[i - 1] + curvature_[i]) / 2 * step_;
        drift_[i] = drift_[i - 1] + (angle_[i - 1] + angle_[i]) / 2 * step_;
        elevation_[i] = elevation_[i - 1] + (grade_[i - 1] + grade_[i]) / 2000 * step_;
    }
}

double Alignment::sample(const std::vector<double>& table, double c) const {
    const double pos = std::clamp((c - from_) / step_, 0.0, double(table.size() - 1));
    const auto i = std::min(std::size_t(pos), table.size() - 2);
    const double t = pos - double(i);
    return table[i] + (table[i + 1] - table[i]) * t;
}

}  // namespace tovra::demo
