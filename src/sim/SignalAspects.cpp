#include <algorithm>
#include <array>

#include "sim/Cab.h"
#include "sim/Protection.h"
#include "sim/ProtectionParts.h"

namespace tovra {

namespace {

constexpr std::int32_t kFaceColumns = 6;
constexpr std::int32_t kFastTrainSpeed = 131;  // km/h: the fastest proceed has its own face

// Rows: signal type; columns: aspect 0 (stop) to 5.
constexpr std::array<std::array<std::int32_t, kFaceColumns>, 10> kFaces{{
    {1, 2, 2, 2, 3, 3},
    {4, 4, 4, 5, 6, 6},
    {7, 7, 8, 8, 9, 9},
    {10, 10, 11, 11, 12, 12},
    {13, 13, 14, 15, 16, 16},
    {17, 18, 19, 19, 20, 20},
    {21, 22, 23, 24, 25, 25},
    {26, 26, 27, 27, 28, 28},
    {30, 30, 31, 32, 33, 33},
    {35, 36, 37, 38, 39, 40},
}};

bool countsAsBlock(const SignalRecord& signal) {
    return signal.signalType != 0 && signal.signalType != -1;
}

// The signal behind which the preceding train runs; -1 when there is none
// or it is the first signal. A signal beyond the last one's frame is still
// behind the last signal.
std::int32_t occupiedBlock(const std::vector<SignalRecord>& signals, std::int32_t preTrain) {
    if (preTrain == 0) return -1;
    const auto count = std::int32_t(signals.size());
    std::int32_t u = -1;
    for (std::int32_t i = count - 1; i >= 0; --i) {
        const bool nextAtOrBeyond =
            i + 1 == count || signals[std::size_t(i + 1)].signalFrame >= preTrain;
        if (signals[std::size_t(i)].signalFrame < preTrain && nextAtOrBeyond) {
            u = i;
            break;
        }
    }
    while (u > 0 && !countsAsBlock(signals[std::size_t(u)])) --u;
    return u > 0 ? u : -1;
}

// Type rules for the count of clear blocks a signal can show.
std::int32_t adjustForType(std::int32_t type, std::int32_t n) {
    switch (type) {
        case 1:
            n = 2;
            break;
        case 2:
            n = n < 3 ? 2 : 4;
            break;
        case 3:
            if (n < 3) n = 2;
            break;
        case 4:
            if (n >= 3) n = 4;
            break;
        default:
            break;
    }
    if (type < 6 && n >= 4) n = 4;
    return n;
}

// Sets the aspects from signal u back; returns the first signal it set.
std::int32_t walkBack(std::vector<SignalRecord>& signals, std::int32_t u, std::int32_t classes) {
    signals[std::size_t(u)].aspect = 0;
    std::int32_t n = 0;
    std::int32_t j = u - 1;
    for (; j >= 0 && n < classes - 1; --j) {
        SignalRecord& signal = signals[std::size_t(j)];
        if (!countsAsBlock(signal)) {
            signal.aspect = signals[std::size_t(j + 1)].aspect;
            continue;
        }
        n = adjustForType(signal.signalType, n + 1);
        signal.aspect = n;
    }
    return j + 1;
}

bool melodyStarted(const Cab& cab, std::int32_t station) {
    const auto& progress = cab.stations.progress;
    // A hold on a station the route does not have never holds.
    if (station < 0 || std::size_t(station) >= progress.size()) return true;
    return progress[std::size_t(station)].departureStarted;
}

bool held(const Cab& cab, const SignalRecord& signal) {
    if (cab.state.VideoMode[0] == 1) return true;
    switch (signal.control) {
        case 1:
            return cab.state.Clock < signal.holdUntil;
        case 2:
            return true;
        case 3:
            return !melodyStarted(cab, signal.holdStation);
        default:
            return false;
    }
}

bool inView(const SignalRecord& signal, std::int32_t frame) {
    return signal.viewFrame <= frame && frame < signal.signalFrame;
}

void placeSprite(Cab& cab, std::string_view name, int originX, int originY, int x, int y,
                 std::int32_t face, bool present) {
    if (Sprite* sprite = cab.sprites.find(name)) {
        sprite->visible = present;
        sprite->x = originX + x;
        sprite->y = originY + y;
        sprite->patternIndex = face;
    }
}

// The signal head and its sub-signals show the face of the signal in view;
// a sub-signal placed at 0, 0 is one the signal does not have.
void showSignalSprites(Cab& cab, std::int32_t index) {
    ProtectionState& p = cab.protection;
    const std::int32_t face = index >= 0 ? cab.route.Signals[std::size_t(index)].face : -1;
    if (index == p.signalInView && face == p.shownFace) return;
    p.signalInView = index;
    p.shownFace = face;
    if (index < 0) {
        for (const ImageSlot& slot : kSignalImageSlots) showSprite(cab, slot.name, false);
        return;
    }
    const SignalRecord& s = cab.route.Signals[std::size_t(index)];
    int ox = 0, oy = 0;
    if (cab.route.SignalImages) {
        ox = cab.route.SignalImages->displayValues[0];
        oy = cab.route.SignalImages->displayValues[1];
    }
    const auto sub = [](int x, int y) { return x != 0 || y != 0; };
    placeSprite(cab, kSignalImageSlots[0].name, ox, oy, s.headX, s.headY, face, true);
    placeSprite(cab, kSignalImageSlots[1].name, ox, oy, s.sub0X, s.sub0Y, face,
                sub(s.sub0X, s.sub0Y));
    placeSprite(cab, kSignalImageSlots[2].name, ox, oy, s.sub1X, s.sub1Y, face,
                sub(s.sub1X, s.sub1Y));
    placeSprite(cab, kSignalImageSlots[3].name, ox, oy, s.sub2X, s.sub2Y, face,
                sub(s.sub2X, s.sub2Y));
}

}  // namespace

std::int32_t signalFace(std::int32_t type, std::int32_t aspect, std::int32_t maxSpeed) {
    if (type < 0 || type >= std::int32_t(kFaces.size())) return aspect != 0 ? 12 : 0;
    const std::int32_t column = std::clamp(aspect, 0, kFaceColumns - 1);
    const std::int32_t face = kFaces[std::size_t(type)][std::size_t(column)];
    if (column == 5 && (type == 7 || type == 8) && maxSpeed >= kFastTrainSpeed) return face + 1;
    return face;
}

std::int32_t speedSignal(const RouteSpec& route, std::int32_t k) {
    return k >= 0 && std::size_t(k) < route.SpeedSignal.size() ? route.SpeedSignal[std::size_t(k)]
                                                               : kNoLimit;
}

bool signalAtStop(const RouteSpec& route, std::int32_t index) {
    return index >= 0 && std::size_t(index) < route.Signals.size() &&
           route.Signals[std::size_t(index)].aspect == 0;
}

void update_signal_aspects(Cab& cab) {
    std::vector<SignalRecord>& signals = cab.route.Signals;
    const auto classes = std::int32_t(cab.route.SpeedSignal.size());
    const std::int32_t frame = cab.state.Frame;
    // Signals outside the walk behind the preceding train show proceed.
    std::int32_t walkFirst = 0, walkLast = -1;
    if (const std::int32_t u = occupiedBlock(signals, cab.protection.PreTrainFrame); u > 0) {
        walkFirst = walkBack(signals, u, classes);
        walkLast = u;
    }

    std::int32_t viewed = -1;
    for (std::size_t i = 0; i < signals.size(); ++i) {
        SignalRecord& signal = signals[i];
        if (std::int32_t(i) < walkFirst || std::int32_t(i) > walkLast) signal.aspect = classes - 1;
        if (held(cab, signal)) signal.aspect = signal.heldAspect;
        signal.face = signal.aspect != 0 ? 12 : 0;
        if (inView(signal, frame)) {
            signal.face = signalFace(signal.signalType, signal.aspect, cab.vehicle.MaxSpeed);
            // Where views overlap, the nearest signal is the one in view.
            if (viewed < 0) viewed = std::int32_t(i);
        }
    }
    if (viewed >= 0) cab.protection.SignalFace = signals[std::size_t(viewed)].face;
    showSignalSprites(cab, viewed);
}

}  // namespace tovra
