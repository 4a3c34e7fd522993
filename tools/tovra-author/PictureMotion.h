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
// spacing too few or too many once the train runs fast. The strips' motions
// must agree (nearer rows move faster, by ratios learnt while the train pulls
// away), so that a level crossing's road or a passing object, where a strip
// has no sleepers to follow, cannot lead the measure astray. Tracking starts
// from standing still, at the video's start and at every restart().
class MotionMeter {
  public:
    explicit MotionMeter(MotionBand band = {});
    // The motion from the previous picture to this one, `slots` frame
    // numbers later (rows, summed over the strips; a measure that grows in
    // proportion to speed); 0 for the first.
    double step(const Image& frame, int slots = 1);
    void restart();

  private:
    std::vector<float> grey(const Image& frame) const;
    // The motion the strips agree on; re-centres the strips that disagree.
    double agree(const std::vector<double>& found, const std::vector<bool>& sure);
    double learnRatios(const std::vector<double>& found, const std::vector<bool>& sure);

    MotionBand band_;
    int columns_ = 0, rows_ = 0;
    std::vector<float> previous_;
    std::vector<double> shifts_;  // per strip, rows per frame
    // Per strip, its shift over the mean strip's: nearer rows move faster.
    std::vector<double> ratios_;
    std::vector<double> ratioSums_;
    int learned_ = 0;    // frames the ratios were learnt from
    double agreed_ = 0;  // the last motion the strips agreed on, in mean-strip rows
};

// A running median of 5 frames (against single bad matches) and a mean of 9.
std::vector<double> smoothMotion(const std::vector<double>& motion);

}  // namespace tovra::author
