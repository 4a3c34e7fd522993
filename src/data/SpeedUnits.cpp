#include "data/SpeedUnits.h"

#include "data/SegmentOverlaps.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace tovra {

namespace {

// Frame differences in extended precision: two 32-bit frames can lie further
// apart than a 32-bit integer holds.
Extended frameSpan(std::int32_t from, std::int32_t to) {
    return static_cast<Extended>(to) - static_cast<Extended>(from);
}

}  // namespace

bool isWithinFilmSpeed(const SpeedUnit& unit) {
    return std::fabs(unit.FirstSpeed) <= kMaxFilmSpeed &&
           std::fabs(unit.LastSpeed) <= kMaxFilmSpeed;
}

std::int64_t segmentLength(const SpeedUnit& unit) {
    if (unit.FirstFrame == unit.LastFrame) return 0;
    const Extended frames = frameSpan(unit.FirstFrame, unit.LastFrame);
    return roundHalfEven((unit.FirstSpeed + unit.LastSpeed) * frames / 2.16L);
}

void computeEndDistances(std::span<SpeedUnit> units) {
    std::int64_t sum = 0;
    for (auto& unit : units) {
        sum += segmentLength(unit);
        unit.EndDistance = sum;
    }
}

bool containsFrame(const SpeedUnit& unit, std::int32_t frame) {
    return unit.FirstFrame <= frame && frame <= unit.LastFrame;
}

std::vector<SegmentOverlap> overlappingSegments(std::span<const SpeedUnit> units) {
    std::vector<std::size_t> byStart(units.size());
    std::iota(byStart.begin(), byStart.end(), std::size_t{0});
    std::stable_sort(byStart.begin(), byStart.end(), [&](std::size_t a, std::size_t b) {
        return units[a].FirstFrame < units[b].FirstFrame;
    });
    std::vector<SegmentOverlap> overlaps;
    std::optional<std::size_t> furthest;  // of the segments so far, the one ending last
    for (const std::size_t i : byStart) {
        if (furthest && units[i].FirstFrame < units[*furthest].LastFrame)
            overlaps.push_back({i, *furthest});
        if (!furthest || units[i].LastFrame > units[*furthest].LastFrame) furthest = i;
    }
    return overlaps;
}

std::int64_t positionInSegment(std::span<const SpeedUnit> units, std::size_t index,
                               std::int32_t frame) {
    const SpeedUnit& unit = units[index];
    // The segment's own end is its EndDistance exactly, so a boundary frame
    // cannot land one centimetre apart through rounding of the two formulas.
    if (frame == unit.LastFrame) return unit.EndDistance;
    const std::int64_t start = index == 0 ? 0 : units[index - 1].EndDistance;
    const Extended sa = unit.FirstSpeed;
    const Extended elapsed = frameSpan(unit.FirstFrame, frame);
    const Extended speedGain =
        (unit.LastSpeed - sa) / frameSpan(unit.FirstFrame, unit.LastFrame) * elapsed;
    const Extended distance =
        (speedGain + sa + sa) / 7.2L * (elapsed / kFilmFramesPerSecond) * 100.0L;
    return start + roundHalfEven(distance);
}

std::optional<std::int64_t> frame_to_position(std::span<const SpeedUnit> units,
                                              std::int32_t frame) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (containsFrame(units[i], frame)) return positionInSegment(units, i, frame);
    }
    return std::nullopt;
}

}  // namespace tovra
