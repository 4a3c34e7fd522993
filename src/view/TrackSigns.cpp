#include "view/TrackSigns.h"

#include <optional>

#include "data/RouteSpec.h"
#include "sim/ProtectionState.h"
#include "sim/StationState.h"
#include "sim/TrainState.h"
#include "view/SpriteModel.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

namespace {

constexpr std::int64_t kLimitSignReach = 20000;  // cm
constexpr Extended kRemainStep = 1000;           // cm a pattern
constexpr Extended kStopMarkReach = 10000;       // cm
constexpr std::int32_t kStopMarkWanted = 1;

void showPattern(SpriteModel& sprites, PanelSprite sign, std::optional<std::int64_t> pattern) {
    Sprite* sprite = sprites.find(sign);
    if (!sprite) return;
    sprite->visible =
        pattern && *pattern >= 0 && *pattern < patternGrid(sprites.pictureOf(*sprite)).count();
    if (sprite->visible) sprite->patternIndex = int(*pattern);
}

}  // namespace

void show_gradient_post(SpriteModel& sprites, const std::vector<SlopeRecord>& slopes,
                        std::int32_t frame, Currency gradientInForce) {
    std::optional<std::int64_t> post;
    for (std::size_t k = 0; k < slopes.size(); ++k) {
        const SlopeRecord& slope = slopes[k];
        if (slope.firstFrame < frame && frame < slope.lastFrame && slope.gradient.raw() > 0 &&
            slope.gradient.raw() != gradientInForce.raw())
            post = std::int64_t(k) + 1;
    }
    showPattern(sprites, PanelSprite::GradientPost, post);
}

void show_limit_sign(SpriteModel& sprites, const ApproachEntry& nextLimit) {
    std::optional<std::int64_t> limit;
    if (nextLimit.ahead && nextLimit.distance <= kLimitSignReach) limit = nextLimit.limit;
    showPattern(sprites, PanelSprite::LimitSign, limit);
}

void show_remaining_distance(SpriteModel& sprites, Extended remainDistance) {
    std::optional<std::int64_t> tens;
    if (remainDistance >= 0) tens = roundHalfEven(remainDistance / kRemainStep);
    showPattern(sprites, PanelSprite::RemainingDistance, tens);
}

void show_stop_mark(SpriteModel& sprites, const StationRecord& nextStop, Extended remainDistance) {
    std::optional<std::int64_t> mark;
    if (nextStop.stopMarkType == kStopMarkWanted && remainDistance < kStopMarkReach &&
        remainDistance > -nextStop.zoneHalfLength)
        mark = 0;
    showPattern(sprites, PanelSprite::StopMark, mark);
}

void update_track_signs(SpriteModel& sprites, const RouteSpec& route, const TrainState& state,
                        const ProtectionState& protection, const StationState& stations) {
    show_gradient_post(sprites, route.Slopes, state.Frame, state.Gradient);
    show_limit_sign(sprites, protection.nextLimits[0]);
    show_remaining_distance(sprites, state.RemainDistance);
    show_stop_mark(sprites, route.stationOrEmpty(std::size_t(stations.nextStopIndex)),
                   state.RemainDistance);
}

}  // namespace tovra
