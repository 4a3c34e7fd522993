#include "platform/FrameCache.h"

#include <algorithm>
#include <cstdlib>

namespace tovra {

namespace {

// A picture another holder still shows must not be written into.
void giveBackUnshared(std::shared_ptr<Image>& picture) {
    if (picture.use_count() > 1) picture.reset();
}

std::int64_t keepCost(int n, int focus, int direction) {
    const std::int64_t ahead = std::int64_t(n - focus) * direction;
    return ahead >= 0 ? ahead : -2 * ahead;
}

}  // namespace

int FrameCache::capacity() const {
    const int fit = pictureBytes_ == 0
                        ? kMinimumFrames
                        : int(std::max<std::size_t>(budget_ / pictureBytes_, kMinimumFrames));
    return limit_ > 0 ? std::min(fit, std::max(limit_, kMinimumFrames)) : fit;
}

void FrameCache::setFrameLimit(int frames, int focus, int direction) {
    limit_ = std::max(frames, 0);
    while (int(frames_.size()) > capacity()) {
        auto worst = frames_.begin();
        for (auto it = frames_.begin(); it != frames_.end(); ++it)
            if (keepCost(it->first, focus, direction) > keepCost(worst->first, focus, direction))
                worst = it;
        frames_.erase(worst);
    }
}

const Image* FrameCache::find(int n) const {
    const auto it = frames_.find(n);
    return it == frames_.end() ? nullptr : it->second.get();
}

std::shared_ptr<const Image> FrameCache::shared(int n) const {
    const auto it = frames_.find(n);
    return it == frames_.end() ? nullptr : it->second;
}

std::optional<int> FrameCache::nearest(int n) const {
    if (frames_.empty()) return std::nullopt;
    const auto above = frames_.lower_bound(n);
    if (above == frames_.begin()) return above->first;
    const auto below = std::prev(above);
    if (above == frames_.end() || n - below->first <= above->first - n) return below->first;
    return above->first;
}

bool FrameCache::store(int n, std::shared_ptr<Image>& picture, int focus, int direction) {
    pictureBytes_ = std::max<std::size_t>(picture->pixels.size() * sizeof(std::uint32_t), 1);
    if (const auto it = frames_.find(n); it != frames_.end()) {
        std::swap(it->second, picture);
        giveBackUnshared(picture);
        return true;
    }
    if (int(frames_.size()) < capacity()) {
        frames_.emplace(n, std::move(picture));
        picture.reset();
        return true;
    }
    auto worst = frames_.begin();
    for (auto it = frames_.begin(); it != frames_.end(); ++it)
        if (keepCost(it->first, focus, direction) > keepCost(worst->first, focus, direction))
            worst = it;
    if (keepCost(n, focus, direction) >= keepCost(worst->first, focus, direction)) return false;
    auto node = frames_.extract(worst);
    node.key() = n;
    std::swap(node.mapped(), picture);
    frames_.insert(std::move(node));
    giveBackUnshared(picture);
    return true;
}

std::vector<int> FrameCache::numbers() const {
    std::vector<int> list;
    list.reserve(frames_.size());
    for (const auto& entry : frames_) list.push_back(entry.first);
    return list;
}

}  // namespace tovra
