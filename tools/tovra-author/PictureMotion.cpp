#include "PictureMotion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tovra::author {

namespace {

constexpr int kStrips = 4;
constexpr int kColumns = 200;  // columns are averaged down to about this many
constexpr int kSearch = 2;     // rows either side of the last shift
// A strip that suddenly stops while it ran fast shows a repeated frame, not
// a train that stopped within 1/30 s: its last shift is kept.
constexpr double kRepeatedFrame = 0.25;
constexpr double kFastShift = 2;

}  // namespace

MotionMeter::MotionMeter(MotionBand band) : band_(band), shifts_(kStrips, 0.0) {}

void MotionMeter::restart() {
    previous_.clear();
    std::fill(shifts_.begin(), shifts_.end(), 0.0);
}

std::vector<float> MotionMeter::grey(const Image& frame) const {
    const int top = int(frame.height * band_.top);
    const int group = frame.width / columns_;
    std::vector<float> out(std::size_t(columns_) * rows_);
    for (int r = 0; r < rows_; ++r) {
        const std::uint32_t* row = frame.pixels.data() + std::size_t(top + r) * frame.width;
        for (int c = 0; c < columns_; ++c) {
            int sum = 0;
            for (int x = c * group; x < (c + 1) * group; ++x) {
                const std::uint32_t p = row[x];
                sum += int((p >> 16) & 0xff) + 2 * int((p >> 8) & 0xff) + int(p & 0xff);
            }
            out[std::size_t(r) * columns_ + c] = float(sum) / float(4 * group);
        }
    }
    return out;
}

double MotionMeter::step(const Image& frame) {
    const int rows = int(frame.height * band_.bottom) - int(frame.height * band_.top);
    const int columns = std::max(1, frame.width / std::max(1, frame.width / kColumns));
    if (rows != rows_ || columns != columns_) {
        rows_ = rows;
        columns_ = columns;
        restart();
    }
    if (rows_ < 4 * kStrips || frame.width < 1) return 0;
    std::vector<float> current = grey(frame);
    if (previous_.empty()) {
        previous_ = std::move(current);
        return 0;
    }
    const int stripRows = rows_ / kStrips;
    double total = 0;
    for (int k = 0; k < kStrips; ++k) {
        const int from = k * stripRows, to = from + stripRows;
        // Mean difference when the strip of the previous frame moved down by d rows.
        const auto cost = [&](int d) {
            double sum = 0;
            int count = 0;
            for (int r = std::max(from, -d); r < std::min(to, rows_ - d); ++r) {
                const float* a = previous_.data() + std::size_t(r) * columns_;
                const float* b = current.data() + std::size_t(r + d) * columns_;
                for (int c = 0; c < columns_; ++c) sum += std::abs(a[c] - b[c]);
                count += columns_;
            }
            return count > 0 ? sum / count : std::numeric_limits<double>::infinity();
        };
        const int centre = int(std::lround(shifts_[k]));
        const int low = std::max(-1, centre - kSearch),
                  high = std::min(rows_ / 2, centre + kSearch);
        int best = low;
        double bestCost = std::numeric_limits<double>::infinity();
        for (int d = low; d <= high; ++d) {
            const double c = cost(d);
            if (c < bestCost) bestCost = c, best = d;
        }
        // The parabola through the minimum and its neighbours places it between rows.
        const double before = cost(best - 1), after = cost(best + 1);
        const double curve = before - 2 * bestCost + after;
        double shift = best;
        if (std::isfinite(curve) && curve > 0)
            shift += std::clamp((before - after) / (2 * curve), -0.5, 0.5);
        if (std::abs(shift) < kRepeatedFrame && shifts_[k] > kFastShift) {
            total += 0;  // the frame repeats the one before: no motion shows
            continue;
        }
        shifts_[k] = shift;
        total += std::max(0.0, shift);
    }
    previous_ = std::move(current);
    return total;
}

std::vector<double> smoothMotion(const std::vector<double>& motion) {
    const int n = int(motion.size());
    std::vector<double> median(n), out(n);
    for (int i = 0; i < n; ++i) {
        std::vector<double> near;
        for (int j = std::max(0, i - 2); j <= std::min(n - 1, i + 2); ++j)
            near.push_back(motion[j]);
        std::nth_element(near.begin(), near.begin() + near.size() / 2, near.end());
        median[i] = near[near.size() / 2];
    }
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        int count = 0;
        for (int j = std::max(0, i - 4); j <= std::min(n - 1, i + 4); ++j, ++count)
            sum += median[j];
        out[i] = sum / count;
    }
    return out;
}

}  // namespace tovra::author
