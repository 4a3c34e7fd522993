#include "PictureMotion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace tovra::author {

namespace {

constexpr int kStrips = 4;
constexpr int kColumns = 200;  // columns are averaged down to about this many
constexpr int kSearch = 2;     // rows either side of the last shift
// A strip that suddenly stops while it ran fast shows a repeated frame, not
// a train that stopped within 1/30 s: its last shift is kept.
constexpr double kRepeatedFrame = 0.25;
constexpr double kFastShift = 2;
// A match is sure when a shift this many rows off costs this much more.
constexpr int kContrastRows = 2;
constexpr double kContrast = 1.15;
// A strip off the others' speed by more than this share has lost its track.
constexpr double kAstray = 0.05;
constexpr double kAstrayRows = 0.3;
constexpr int kLearnFrames = 30;
constexpr double kLearnAbove = 1;  // rows a frame

}  // namespace

MotionMeter::MotionMeter(MotionBand band)
    : band_(band), shifts_(kStrips, 0.0), ratios_(kStrips, 1.0), ratioSums_(kStrips, 0.0) {}

void MotionMeter::restart() {
    previous_.clear();
    std::fill(shifts_.begin(), shifts_.end(), 0.0);
    agreed_ = 0;
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

double MotionMeter::step(const Image& frame, int slots) {
    slots = std::max(1, slots);
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
    std::vector<double> found(kStrips);
    std::vector<bool> sure(kStrips);
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
        // Over frames without pictures of their own the ground ran on at
        // about its last pace, and a little more or less.
        const int centre = int(std::lround(shifts_[k] * slots));
        const int margin = kSearch + std::min(slots - 1, kSearch);
        const int low = std::max(-1, centre - margin), high = std::min(rows_ / 2, centre + margin);
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
        found[k] = shift / slots;
        // A road or a platform edge has no sleepers: every shift matches as
        // well, or the best lies at the end of the rows searched.
        const double away = std::min(cost(best - kContrastRows), cost(best + kContrastRows));
        const bool inside = (best > low || low == -1) && best < high;
        sure[k] = inside && !(away < bestCost * kContrast) &&
                  !(std::abs(found[k]) < kRepeatedFrame && shifts_[k] > kFastShift);
    }
    const double total = agree(found, sure);
    previous_ = std::move(current);
    return total * slots;
}

double MotionMeter::agree(const std::vector<double>& found, const std::vector<bool>& sure) {
    // Each strip's shift in the units of the mean strip. The ground's speed is
    // the one most strips agree on, the nearest to the last one on a tie: a
    // strip crossing a road or an object cannot sway it.
    if (learned_ < kLearnFrames) return learnRatios(found, sure);
    const auto near = [](double a, double b) {
        return std::abs(a - b) <= kAstray * std::abs(b) + kAstrayRows;
    };
    std::vector<double> normal;
    for (int k = 0; k < kStrips; ++k)
        if (sure[k]) normal.push_back(found[k] / ratios_[k]);
    double speed = agreed_;
    std::size_t support = 0;
    for (double candidate : normal) {
        const auto count = std::size_t(std::count_if(normal.begin(), normal.end(),
                                                     [&](double n) { return near(n, candidate); }));
        if (count > support ||
            (count == support && std::abs(candidate - agreed_) < std::abs(speed - agreed_))) {
            support = count;
            speed = candidate;
        }
    }
    if (support > 0) {
        double sum = 0;
        for (double n : normal)
            if (near(n, speed)) sum += n;
        speed = sum / double(support);
    }
    agreed_ = speed;
    for (int k = 0; k < kStrips; ++k) {
        const double expected = speed * ratios_[k];
        // A strip that lost its track picks it up again where the others are.
        shifts_[k] = sure[k] && near(found[k], expected) ? found[k] : expected;
    }
    return std::max(0.0, speed) * kStrips;
}

double MotionMeter::learnRatios(const std::vector<double>& found, const std::vector<bool>& sure) {
    // While the train pulls away every strip tracks well on its own; how
    // their shifts compare then tells the strips' ratios.
    double total = 0;
    for (int k = 0; k < kStrips; ++k) {
        if (sure[k]) shifts_[k] = found[k];
        total += std::max(0.0, shifts_[k]);
    }
    const bool all = std::all_of(sure.begin(), sure.end(), [](bool s) { return s; });
    if (all && total / kStrips > kLearnAbove) {
        for (int k = 0; k < kStrips; ++k) ratioSums_[k] += found[k];
        ++learned_;
        const double sum = std::accumulate(ratioSums_.begin(), ratioSums_.end(), 0.0);
        for (int k = 0; k < kStrips; ++k) ratios_[k] = kStrips * ratioSums_[k] / sum;
        agreed_ = total / kStrips;
    }
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
