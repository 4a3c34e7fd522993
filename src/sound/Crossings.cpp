// Level crossings ahead: each joins a queue as the train nears it and leaves
// it once passed (or when the driver calls it out); the panel shows the
// first queued crossing and its lamp.
#include <algorithm>

#include "cab/Cab.h"
#include "sound/RunningSounds.h"

namespace tovra {

namespace {

constexpr std::int32_t kWindow = 20;  // frames

bool near(std::int32_t frame, std::int32_t mark) {
    return mark <= frame && frame < std::int64_t(mark) + kWindow;
}

void append(RunningSoundState& r, std::int32_t crossing) {
    auto& queue = r.crossingQueue;
    if (std::find(queue.begin(), queue.end(), crossing) != queue.end()) return;
    const auto free = std::find(queue.begin(), queue.end(), -1);
    if (free != queue.end()) *free = crossing;
}

bool melodyStarted(const Cab& cab, std::int32_t station) {
    return std::size_t(station) < cab.stations.progress.size() &&
           cab.stations.progress[std::size_t(station)].departureStarted;
}

void show(Cab& cab) {
    RunningSoundState& r = cab.runningSound;
    const std::int32_t head = queuedCrossing(r);
    if (head < 0) {
        r.crossingImage = 0;
        cab.lamps.crossing = false;
        return;
    }
    if (head == r.crossingShown) return;
    const CrossingRecord& crossing = cab.route.Crossings[std::size_t(head)];
    r.crossingImage = crossing.image;
    cab.lamps.crossing = crossing.station >= 1 && !melodyStarted(cab, crossing.station);
    r.crossingShown = head;
}

}  // namespace

std::int32_t queuedCrossing(const RunningSoundState& state) {
    return state.crossingQueue[0];
}

void dropQueuedCrossing(RunningSoundState& state) {
    auto& queue = state.crossingQueue;
    std::copy(queue.begin() + 1, queue.end(), queue.begin());
    queue.back() = -1;
    if (queue[0] < 0) state.crossingShown = -1;
}

void step_crossings(Cab& cab) {
    RunningSoundState& r = cab.runningSound;
    const std::int32_t frame = cab.state.Frame;
    bool approaching = false;
    const auto count = std::int32_t(cab.route.Crossings.size());
    for (std::int32_t k = 0; k < count; ++k) {
        const CrossingRecord& crossing = cab.route.Crossings[std::size_t(k)];
        if (near(frame, crossing.firstFrame)) {
            approaching = true;
            append(r, k);
        }
        if (near(frame, crossing.lastFrame)) {
            // One already dropped stays behind the head: leave the rest alone.
            if (k < queuedCrossing(r)) break;
            dropQueuedCrossing(r);
        }
    }
    if (!approaching) show(cab);
}

void setActiveCrossings(Cab& cab, std::int32_t frame) {
    RunningSoundState& r = cab.runningSound;
    r.crossingQueue = emptyCrossingQueue();
    r.crossingShown = -1;
    std::size_t n = 0;
    for (std::size_t k = 0; k < cab.route.Crossings.size() && n < r.crossingQueue.size(); ++k) {
        const CrossingRecord& crossing = cab.route.Crossings[k];
        if (crossing.firstFrame <= frame && frame < crossing.lastFrame)
            r.crossingQueue[n++] = std::int32_t(k);
    }
}

}  // namespace tovra
