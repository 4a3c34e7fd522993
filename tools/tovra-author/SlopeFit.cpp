#include "SlopeFit.h"

#include <algorithm>
#include <cmath>

namespace tovra::author {

namespace {

constexpr int kMedianHalf = 4;
constexpr double kWindow = 600;  // m either side
constexpr double kStep = 100;    // m
constexpr double kMerge = 3;     // permil
constexpr int kMinSamples = 5;

int frameAt(const std::vector<double>& positions, double metres) {
    const auto at = std::lower_bound(positions.begin(), positions.end(), metres * 100);
    return int(std::min<std::ptrdiff_t>(at - positions.begin(), positions.size() - 1));
}

}  // namespace

std::vector<SlopeRun> fitSlopes(std::vector<HeightSample> heights,
                                const std::vector<double>& positions) {
    std::vector<SlopeRun> runs;
    if (heights.size() < std::size_t(kMinSamples) || positions.empty()) return runs;
    std::stable_sort(
        heights.begin(), heights.end(),
        [](const HeightSample& a, const HeightSample& b) { return a.position < b.position; });
    const int n = int(heights.size());
    std::vector<double> median(n);
    for (int i = 0; i < n; ++i) {
        std::vector<double> near;
        for (int j = std::max(0, i - kMedianHalf); j <= std::min(n - 1, i + kMedianHalf); ++j)
            near.push_back(heights[j].elevation);
        std::nth_element(near.begin(), near.begin() + near.size() / 2, near.end());
        median[i] = near[near.size() / 2];
    }
    struct Cell {
        double from, to, permil;
    };
    std::vector<Cell> cells;
    const double start = heights.front().position, end = heights.back().position;
    for (double x = start; x < end; x += kStep) {
        double sx = 0, se = 0, sxx = 0, sxe = 0;
        int count = 0;
        for (int i = 0; i < n; ++i) {
            const double dx = heights[i].position - x;
            if (std::abs(dx) > kWindow) continue;
            sx += dx, se += median[i], sxx += dx * dx, sxe += dx * median[i];
            ++count;
        }
        const double spread = count * sxx - sx * sx;
        if (count < kMinSamples || spread <= count * count * kStep * kStep) continue;
        cells.push_back({x, std::min(x + kStep, end), 1000 * (count * sxe - sx * se) / spread});
    }
    double sum = 0;
    int count = 0;
    for (const Cell& c : cells) {
        const bool joins = count > 0 && std::abs(c.permil - sum / count) <= kMerge &&
                           frameAt(positions, c.from) <= runs.back().lastFrame;
        if (!joins) {
            if (count > 0) runs.back().permil = sum / count;
            runs.push_back({0, frameAt(positions, c.from), 0});
            sum = 0;
            count = 0;
        }
        sum += c.permil;
        ++count;
        runs.back().lastFrame = frameAt(positions, c.to);
    }
    if (count > 0) runs.back().permil = sum / count;
    std::erase_if(runs, [](const SlopeRun& r) { return r.lastFrame <= r.firstFrame; });
    return runs;
}

}  // namespace tovra::author
