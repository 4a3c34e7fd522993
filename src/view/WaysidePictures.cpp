#include "view/WaysidePictures.h"

#include <algorithm>

#include "sim/CrossingQueue.h"
#include "sim/PanelLamps.h"
#include "sim/ProtectionState.h"
#include "view/CabPictures.h"
#include "view/StatusTexts.h"

namespace tovra {

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 4;
constexpr int kLampDiameter = 16;

const Image* imageAt(const std::vector<Image>& list, std::int32_t index) {
    if (index < 0 || std::size_t(index) >= list.size() || list[std::size_t(index)].empty())
        return nullptr;
    return &list[std::size_t(index)];
}

// Each row keeps the height of its tallest picture whichever one shows, so
// the rows below do not jump.
int tallest(const std::vector<Image>& list) {
    int height = 0;
    for (const Image& image : list) height = std::max(height, image.height);
    return height;
}

// Adds the crossing's row at `top`; returns the top of the next row.
int addCrossing(WaysideView& view, const ImageLists& lists, const CrossingQueue& crossings,
                bool lamp, int top) {
    if (lists.cross.empty() && !lamp) return top;
    const Image* image = imageAt(lists.cross, crossings.image);
    if (image) view.pictures.push_back({image, kMargin, top});
    const int row = std::max(tallest(lists.cross), kLampDiameter);
    if (lamp) {
        const int width = image ? image->width : 0;
        view.crossingLamp =
            LampSpot{kMargin + width + kGap, top + (row - kLampDiameter) / 2, kLampDiameter};
    }
    return top + row + kGap;
}

int addAnimation(WaysideView& view, const ImageLists& lists, const StatusTexts& t, int top) {
    if (lists.anim.empty()) return top;
    if (const Image* image = imageAt(lists.anim, t.animationImage))
        view.pictures.push_back({image, kMargin, top});
    return top + tallest(lists.anim) + kGap;
}

void addTraffic(WaysideView& view, const ImageLists& lists, const TrafficSignalView& traffic,
                int top) {
    if (traffic.light < 0) return;
    if (const Image* light = imageAt(lists.trafficSignal, traffic.image))
        view.pictures.push_back({light, kMargin, top});
    if (!traffic.secondIndicator) return;
    if (const Image* indicator = imageAt(lists.trafficSignal, traffic.indicatorImage))
        view.pictures.push_back({indicator, kMargin, top + tallest(lists.trafficSignal) + kGap});
}

}  // namespace

WaysideView waysideView(const ImageLists& lists, const CrossingQueue& crossings,
                        const PanelLamps& lamps, const StatusTexts& animation,
                        const TrafficSignalView& traffic) {
    WaysideView view;
    int top = kMargin;
    top = addCrossing(view, lists, crossings, lamps.crossing, top);
    top = addAnimation(view, lists, animation, top);
    addTraffic(view, lists, traffic, top);
    return view;
}

}  // namespace tovra
