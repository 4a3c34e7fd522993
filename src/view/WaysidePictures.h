#pragma once

#include <optional>
#include <vector>

#include "ports/Image.h"

namespace tovra {

struct PanelLamps;

struct CrossingQueue;
struct ImageLists;
struct StatusTexts;
struct TrafficSignalView;

// One picture of a route image list placed on the video area; the drawing
// keys out its bottom-left colour.
struct PlacedPicture {
    const Image* image = nullptr;
    int x = 0;
    int y = 0;
    bool operator==(const PlacedPicture&) const = default;
};

// The level-crossing lamp: a round lamp of `diameter` at (x, y).
struct LampSpot {
    int x = 0;
    int y = 0;
    int diameter = 0;
    bool operator==(const LampSpot&) const = default;
};

struct WaysideView {
    std::vector<PlacedPicture> pictures;
    std::optional<LampSpot> crossingLamp;
    bool operator==(const WaysideView&) const = default;
};

// What the wayside objects show on the video, one row under the other in
// the top-left corner, clear of the signs and signals at the right: the
// level crossing and its lamp, the animation, and the traffic light in view
// with its indicator under it. The crossing and the animation show their
// image 0 while no entry is active.
WaysideView waysideView(const ImageLists& lists, const CrossingQueue& crossings,
                        const PanelLamps& lamps, const StatusTexts& animation,
                        const TrafficSignalView& traffic);

}  // namespace tovra
