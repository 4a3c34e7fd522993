#include <algorithm>
#include <array>

#include "sim/Protection.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

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

bool melodyStarted(const ProtectionRecords& r, std::int32_t station) {
    const auto& progress = r.stations.progress;
    // A hold on a station the route does not have never holds.
    if (station < 0 || std::size_t(station) >= progress.size()) return true;
    return progress[std::size_t(station)].departureStarted;
}

bool held(const ProtectionRecords& r, const SignalRecord& signal) {
    if (r.state.VideoMode[0] == 1) return true;
    switch (signal.control) {
        case 1:
            return r.state.Clock < signal.holdUntil;
        case 2:
            return true;
        case 3:
            return !melodyStarted(r, signal.holdStation);
        default:
            return false;
    }
}

bool inView(const SignalRecord& signal, std::int32_t frame) {
    return signal.viewFrame <= frame && frame < signal.signalFrame;
}

// The signal sprites follow the signal in view and its face, once per change.
void noteSignalInView(ProtectionState& p, const RouteSpec& route, std::int32_t index) {
    const std::int32_t face = index >= 0 ? route.Signals[std::size_t(index)].face : -1;
    if (index == p.signalInView && face == p.shownFace) return;
    p.signalInView = index;
    p.shownFace = face;
    p.signalViewChanges += 1;
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

void update_signal_aspects(ProtectionRecords& r) {
    std::vector<SignalRecord>& signals = r.route.Signals;
    const auto classes = std::int32_t(r.route.SpeedSignal.size());
    const std::int32_t frame = r.state.Frame;
    // Signals outside the walk behind the preceding train show proceed.
    std::int32_t walkFirst = 0, walkLast = -1;
    if (const std::int32_t u = occupiedBlock(signals, r.protection.PreTrainFrame); u > 0) {
        walkFirst = walkBack(signals, u, classes);
        walkLast = u;
    }

    std::int32_t viewed = -1;
    for (std::size_t i = 0; i < signals.size(); ++i) {
        SignalRecord& signal = signals[i];
        if (std::int32_t(i) < walkFirst || std::int32_t(i) > walkLast) signal.aspect = classes - 1;
        if (held(r, signal)) signal.aspect = signal.heldAspect;
        signal.face = signal.aspect != 0 ? 12 : 0;
        if (inView(signal, frame)) {
            signal.face = signalFace(signal.signalType, signal.aspect, r.vehicle.MaxSpeed);
            // Where views overlap, the nearest signal is the one in view.
            if (viewed < 0) viewed = std::int32_t(i);
        }
    }
    if (viewed >= 0) r.protection.SignalFace = signals[std::size_t(viewed)].face;
    noteSignalInView(r.protection, r.route, viewed);
}

}  // namespace tovra
