#include "data/RouteSpec.h"
#include "sim/CalloutOffer.h"
#include "sim/TrainState.h"
#include "view/SpriteModel.h"
#include "view/StatusTextUpdates.h"
#include "view/StatusTexts.h"

namespace tovra {

namespace {

constexpr std::int32_t kClockTimeFrom = 1000;  // smaller parameters are seconds in view
constexpr std::int32_t kAnimationPhases = 14;

// What the wayside signs show on and offer for a call-out.
struct SignRecords {
    SpriteModel& sprites;
    StatusTexts& texts;
    CalloutOffer& offer;
    const TrainState& s;
};

// Shows `image` on the sign sprite as `shown`; a new sign may be called out
// again with Enter.
void showSign(const SignRecords& r, std::int32_t image, std::int32_t shown) {
    if (Sprite* sprite = r.sprites.find(PanelSprite::OtherSign)) {
        sprite->visible = true;
        sprite->patternIndex = image;
    }
    r.texts.shownSign = shown;
    r.offer.lastKankoChannel = -1;
}

bool secondImageDue(const SignRecords& r, const SignRecord& sign) {
    const std::int32_t p = sign.change;
    return (p >= 1 && 10 * Extended(p) < r.texts.signTimer) ||
           (p >= kClockTimeFrom && r.s.Clock > p);
}

// True when the sign is in view.
bool showSignInView(const SignRecords& r, const SignRecord& sign, std::int32_t f) {
    if (f < sign.firstFrame || f >= sign.lastFrame) return false;
    StatusTexts& t = r.texts;
    if (t.shownSign == kNoSign) {
        showSign(r, sign.image, sign.image);
        t.signTimer = 0;
    }
    if (secondImageDue(r, sign)) {
        if (t.shownSign != sign.image + 1) showSign(r, sign.image + 1, sign.image + 1);
    } else {
        t.signTimer += 1;
    }
    return true;
}

// True when the time-check point is in view while running towards a stop
// still some way off.
bool showTimeCheckInView(const SignRecords& r, const TimeCallout& point, std::int32_t f) {
    if (f <= point.FirstFrame || f >= point.LastFrame) return false;
    if (r.s.Speed <= 1 || r.s.RemainDistance <= 10000) return false;
    if (r.texts.shownSign == kNoSign) showSign(r, 0, kTimeCheckMark);
    return true;
}

}  // namespace

void update_wayside_signs(SpriteModel& sprites, StatusTexts& texts, CalloutOffer& offer,
                          const RouteSpec& route, const TrainState& s) {
    const SignRecords records{sprites, texts, offer, s};
    const std::int32_t f = s.Frame;
    bool active = false;
    for (const SignRecord& sign : route.Signs) active = showSignInView(records, sign, f) || active;
    for (const TimeCallout& point : route.TimeCallouts)
        active = showTimeCheckInView(records, point, f) || active;
    if (!active) {
        if (Sprite* sprite = sprites.find(PanelSprite::OtherSign)) sprite->visible = false;
        texts.shownSign = kNoSign;
    }
    offer.kankoPending = texts.shownSign;
}

void update_wayside_animation(StatusTexts& t, const RouteSpec& route, std::int32_t f) {
    bool active = false;
    for (const AnimRecord& anim : route.Anims) {
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
