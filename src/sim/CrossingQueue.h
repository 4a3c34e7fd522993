#pragma once

#include <array>
#include <cstdint>

namespace tovra {

struct PanelLamps;
struct RouteSpec;
struct StationState;

// Level crossings waiting for the driver, oldest first (-1: empty slot), and
// the one the panel shows with its picture.
struct CrossingQueue {
    static constexpr std::size_t kLength = 11;
    static constexpr std::array<std::int32_t, kLength> empty() {
        std::array<std::int32_t, kLength> queue{};
        for (auto& slot : queue) slot = -1;
        return queue;
    }
    std::array<std::int32_t, kLength> crossings = empty();
    std::int32_t shown = -1;  // the crossing the panel shows; -1 none
    std::int32_t image = 0;   // image of the level-crossing sprite
};

// Each crossing joins the queue as the train nears it and leaves it once
// passed; the head is shown with its lamp (lit while its station's departure
// melody has not started).
void step_crossings(CrossingQueue& queue, PanelLamps& lamps, const RouteSpec& route,
                    const StationState& stations, std::int32_t frame);
// The crossing at the head of the queue, or -1; the Enter key gives its
// call-out and then drops it.
std::int32_t queuedCrossing(const CrossingQueue& queue);
void dropQueuedCrossing(CrossingQueue& queue);
// After the train is placed anew: the crossings whose range holds the frame
// (first <= frame < last) become the queue, at most eleven of them.
void setActiveCrossings(CrossingQueue& queue, const RouteSpec& route, std::int32_t frame);

}  // namespace tovra
