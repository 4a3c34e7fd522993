#include "view/WaysidePictures.h"

#include <algorithm>

#include "data/RouteSpec.h"
#include "sim/ProtectionState.h"
#include "sound/RunningSoundState.h"
#include "view/CabPictures.h"
#include "view/StatusTextUpdates.h"
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

// The crossing row keeps one height whichever crossing shows, so the
// animation below it does not jump.
int tallest(const std::vector<Image>& list) {
    int height = 0;
    for (const Image& image : list) height = std::max(height, image.height);
    return height;
}

void addCrossing(WaysideView& view, const ImageLists& lists, const RunningSoundState& r) {
    const Image* image = imageAt(lists.cross, r.crossingImage);
    const int width = image ? image->width : 0;
    if (image) view.pictures.push_back({image, kMargin, kMargin});
    if (r.crossingLamp) {
        const int row = std::max(tallest(lists.cross), kLampDiameter);
        view.crossingLamp =
            LampSpot{kMargin + width + kGap, kMargin + (row - kLampDiameter) / 2, kLampDiameter};
    }
}

void addAnimation(WaysideView& view, const ImageLists& lists, const StatusTexts& t) {
    const Image* image = imageAt(lists.anim, t.animationImage);
    if (!image) return;
    const int crossingRow =
        lists.cross.empty() ? 0 : std::max(tallest(lists.cross), kLampDiameter) + kGap;
    view.pictures.push_back({image, kMargin, kMargin + crossingRow});
}

void addTraffic(WaysideView& view, const ImageLists& lists, const RouteSpec& route, int videoWidth,
                const TrafficSignalView& traffic) {
    if (traffic.light < 0) return;
    const Image* light = imageAt(lists.trafficSignal, traffic.image);
    const Image* indicator =
        traffic.secondIndicator ? imageAt(lists.trafficSignal, traffic.indicatorImage) : nullptr;
    // Where the signal head stands, or the top-right corner without signals.
    const bool signals = route.SignalImages.has_value();
    const int left = signals ? route.SignalImages->displayValues[0] : -1;
    const int top = signals ? route.SignalImages->displayValues[1] : kMargin;
    int y = top;
    for (const Image* image : {light, indicator}) {
        if (!image) continue;
        const int x = left >= 0 ? left : videoWidth - kMargin - image->width;
        view.pictures.push_back({image, x, y});
        y += image->height + kGap;
    }
}

}  // namespace

WaysideView waysideView(const ImageLists& lists, const RouteSpec& route, int videoWidth,
                        const RunningSoundState& crossings, const StatusTexts& animation,
                        const TrafficSignalView& traffic) {
    WaysideView view;
    addCrossing(view, lists, crossings);
    addAnimation(view, lists, animation);
    addTraffic(view, lists, route, videoWidth, traffic);
    return view;
}

}  // namespace tovra
