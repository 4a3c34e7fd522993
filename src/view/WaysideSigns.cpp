#include "cab/Cab.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

namespace {

constexpr std::int32_t kClockTimeFrom = 1000;  // smaller parameters are seconds in view
constexpr std::int32_t kAnimationPhases = 14;

// Shows `image` on the sign sprite as `shown`; a new sign may be called out
// again with Enter.
void showSign(Cab& cab, std::int32_t image, std::int32_t shown) {
    if (Sprite* sprite = cab.sprites.find("img_unten_other")) {
        sprite->visible = true;
        sprite->patternIndex = image;
    }
    cab.statusTexts.shownSign = shown;
    cab.calloutOffer.lastKankoChannel = -1;
}

bool secondImageDue(const Cab& cab, const SignRecord& sign) {
    const std::int32_t p = sign.change;
    return (p >= 1 && 10 * Extended(p) < cab.statusTexts.signTimer) ||
           (p >= kClockTimeFrom && cab.state.Clock > p);
}

// True when the sign is in view.
bool showSignInView(Cab& cab, const SignRecord& sign, std::int32_t f) {
    if (f < sign.firstFrame || f >= sign.lastFrame) return false;
    StatusTexts& t = cab.statusTexts;
    if (t.shownSign == kNoSign) {
        showSign(cab, sign.image, sign.image);
        t.signTimer = 0;
    }
    if (secondImageDue(cab, sign)) {
        if (t.shownSign != sign.image + 1) showSign(cab, sign.image + 1, sign.image + 1);
    } else {
        t.signTimer += 1;
    }
    return true;
}

// True when the time-check point is in view while running towards a stop
// still some way off.
bool showTimeCheckInView(Cab& cab, const TimeCallout& point, std::int32_t f) {
    if (f <= point.FirstFrame || f >= point.LastFrame) return false;
    if (cab.state.Speed <= 1 || cab.state.RemainDistance <= 10000) return false;
    if (cab.statusTexts.shownSign == kNoSign) showSign(cab, 0, kTimeCheckMark);
    return true;
}

}  // namespace

void update_wayside_signs(Cab& cab) {
    const std::int32_t f = cab.state.Frame;
    bool active = false;
    for (const SignRecord& sign : cab.route.Signs) active = showSignInView(cab, sign, f) || active;
    for (const TimeCallout& point : cab.route.TimeCallouts)
        active = showTimeCheckInView(cab, point, f) || active;
    if (!active) {
        if (Sprite* sprite = cab.sprites.find("img_unten_other")) sprite->visible = false;
        cab.statusTexts.shownSign = kNoSign;
    }
    cab.calloutOffer.kankoPending = cab.statusTexts.shownSign;
}

void update_wayside_animation(Cab& cab) {
    StatusTexts& t = cab.statusTexts;
    const std::int32_t f = cab.state.Frame;
    bool active = false;
    for (const AnimRecord& anim : cab.route.Anims) {
        if (f < anim.firstFrame || f >= anim.lastFrame) continue;
        active = true;
        if (anim.ticksPerStep < t.animationTimer) {
            t.animationPhase = (t.animationPhase + 1) % kAnimationPhases;
            t.animationTimer = 0;
        }
        if (t.animationPhase != t.shownAnimationPhase) {
            t.animationImage = anim.firstImage + t.animationPhase;
            t.shownAnimationPhase = t.animationPhase;
        }
        t.animationTimer += 1;
    }
    if (!active) {
        t.animationImage = 0;
        t.shownAnimationPhase = kNoAnimationPhase;
    }
}

}  // namespace tovra
