// Level crossings ahead: each joins a queue as the train nears it and leaves
// it once passed (or when the driver calls it out); the panel shows the
// first queued crossing and its lamp.
#include "sim/CrossingQueue.h"

#include <algorithm>

#include "data/RouteSpec.h"
#include "sim/PanelLamps.h"
#include "sim/StationState.h"

namespace tovra {

namespace {

constexpr std::int32_t kWindow = 20;  // frames

bool near(std::int32_t frame, std::int32_t mark) {
    return mark <= frame && frame < std::int64_t(mark) + kWindow;
}

void append(CrossingQueue& q, std::int32_t crossing) {
    auto& queue = q.crossings;
    if (std::find(queue.begin(), queue.end(), crossing) != queue.end()) return;
    const auto free = std::find(queue.begin(), queue.end(), -1);
    if (free != queue.end()) *free = crossing;
}

bool melodyStarted(const StationState& stations, std::int32_t station) {
    return std::size_t(station) < stations.progress.size() &&
           stations.progress[std::size_t(station)].departureStarted;
}

void show(CrossingQueue& q, PanelLamps& lamps, const RouteSpec& route,
          const StationState& stations) {
    const std::int32_t head = queuedCrossing(q);
    if (head < 0) {
        q.image = 0;
        lamps.crossing = false;
        return;
    }
    if (head == q.shown) return;
    const CrossingRecord& crossing = route.Crossings[std::size_t(head)];
    q.image = crossing.image;
    lamps.crossing = crossing.station >= 1 && !melodyStarted(stations, crossing.station);
    q.shown = head;
}

}  // namespace

std::int32_t queuedCrossing(const CrossingQueue& queue) {
    return queue.crossings[0];
}

void dropQueuedCrossing(CrossingQueue& q) {
    auto& queue = q.crossings;
    std::copy(queue.begin() + 1, queue.end(), queue.begin());
    queue.back() = -1;
    if (queue[0] < 0) q.shown = -1;
}

void step_crossings(CrossingQueue& queue, PanelLamps& lamps, const RouteSpec& route,
                    const StationState& stations, std::int32_t frame) {
    bool approaching = false;
    const auto count = std::int32_t(route.Crossings.size());
    for (std::int32_t k = 0; k < count; ++k) {
        const CrossingRecord& crossing = route.Crossings[std::size_t(k)];
        if (near(frame, crossing.firstFrame)) {
            approaching = true;
            append(queue, k);
        }
        if (near(frame, crossing.lastFrame)) {
            // One already dropped stays behind the head: leave the rest alone.
            if (k < queuedCrossing(queue)) break;
            dropQueuedCrossing(queue);
        }
    }
    if (!approaching) show(queue, lamps, route, stations);
}

void setActiveCrossings(CrossingQueue& q, const RouteSpec& route, std::int32_t frame) {
    q.crossings = CrossingQueue::empty();
    q.shown = -1;
    std::size_t n = 0;
    for (std::size_t k = 0; k < route.Crossings.size() && n < q.crossings.size(); ++k) {
        const CrossingRecord& crossing = route.Crossings[k];
        if (crossing.firstFrame <= frame && frame < crossing.lastFrame)
            q.crossings[n++] = std::int32_t(k);
    }
}

}  // namespace tovra
