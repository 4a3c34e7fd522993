#pragma once

#include <cstdint>
#include <vector>

#include "data/SpeedUnits.h"

namespace tovra::demo {

// Speeds go into route files with this many decimals.
inline constexpr int kSpeedDecimals = 4;

// The filming speed of one route video: the "[SpeedUnit]" rows exactly as the
// route file states them, and the frame-to-distance rule the simulator applies
// to them. The renderer places the camera with these same positions, so the
// picture and the simulated train agree.
class SpeedProfile {
  public:
    SpeedProfile() = default;
    // Speeds are taken as they read back from their written form.
    explicit SpeedProfile(std::vector<SpeedUnit> units);

    const std::vector<SpeedUnit>& units() const { return units_; }
    int lastFrame() const { return units_.empty() ? 0 : units_.back().LastFrame; }
    // Position in cm; frames outside the segments hold the nearer end.
    std::int64_t position(int frame) const;
    double speed(int frame) const;  // km/h
    // The first frame whose position is at least `cm`.
    int frameAt(double cm) const;

  private:
    std::vector<SpeedUnit> units_;
};

// A stretch of a leg (metres from the leg's start) that the filming train
// runs at no more than `speed` km/h.
struct LimitZone {
    double from = 0;
    double to = 0;
    double speed = 0;
};

// One run from a standstill to a standstill.
struct Leg {
    double length = 0;    // m
    double topSpeed = 0;  // km/h
    std::vector<LimitZone> limits;
};

// How the filming driver accelerates and brakes: rates in km/h/s, each for
// speeds from its band's lower bound up.
struct FilmStyle {
    struct Band {
        double fromSpeed;
        double rate;
    };
    std::vector<Band> accel{{0, 2.4}, {35, 1.7}, {60, 1.0}, {80, 0.6}};
    std::vector<Band> brake{{0, 2.2}, {20, 3.0}};
};

struct PlannedRun {
    std::vector<SpeedUnit> units;
    std::vector<int> legEndFrames;  // the frame at which each leg stops
};

// Constant-acceleration segments of whole frames through the legs, one after
// the other from frame 0. Each leg covers its length to the centimetre as the
// frame-to-distance rule counts it.
PlannedRun planRun(const std::vector<Leg>& legs, const FilmStyle& style = {});

}  // namespace tovra::demo
