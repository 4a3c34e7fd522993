#pragma once

#include <vector>

#include "ports/Image.h"

namespace tovra::author {

// The rows of the picture in which the track and sleepers are measured, as
// fractions of its height from the top.
struct MotionBand {
    double top = 0.6;
    double bottom = 0.85;
};

// How fast the ground in the lower picture moves down from frame to frame.
// The band is cut into strips, and each strip's vertical shift is found by
// matching it against the previous frame near the shift it had last: sleepers
// repeat every few rows, so a free search would take a shift of one sleeper
// spacing too few or too many once the train runs fast. Tracking starts from
// standing still, at the video's start and at every restart().
class MotionMeter {
  public:
    explicit MotionMeter(MotionBand band = {});
    // The motion from the previous frame to this one (rows, summed over the
    // strips; a measure that grows in proportion to speed); 0 for the first.
    double step(const Image& frame);
    void restart();

  private:
    std::vector<float> grey(const Image& frame) const;

    MotionBand band_;
    int columns_ = 0, rows_ = 0;
    std::vector<float> previous_;
    std::vector<double> shifts_;  // per strip, rows per frame
};

// A running median of 5 frames (against single bad matches) and a mean of 9.
std::vector<double> smoothMotion(const std::vector<double>& motion);

}  // namespace tovra::author
