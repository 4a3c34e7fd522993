#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ports/Image.h"

namespace tovra {

// Decoded pictures by frame number, bounded in memory: larger pictures mean
// fewer frames. When full, the picture least likely to be asked for goes:
// the farthest from the frame on show, counting the frames already passed in
// the direction of travel twice as far. Pictures are shared with the caller,
// who may hold one after it has gone from the cache. Not thread-safe.
class FrameCache {
  public:
    static constexpr int kMinimumFrames = 4;

    explicit FrameCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

    void clear() { frames_.clear(); }
    // How many pictures of the size stored last fit the budget, and the
    // limit when one is set.
    int capacity() const;
    // At most this many pictures (never fewer than kMinimumFrames); 0: as
    // many as the budget holds. Lets the ones that no longer fit go, the
    // least likely to be asked for first.
    void setFrameLimit(int frames, int focus, int direction);
    const Image* find(int n) const;
    std::shared_ptr<const Image> shared(int n) const;
    // The stored frame nearest n, the lower one on a tie.
    std::optional<int> nearest(int n) const;
    // Takes `picture` as frame n around `focus`, travelling in `direction`
    // (+1 or -1). `picture` gets back the picture that had to go, for the
    // next decode to write into, when nobody else holds it; else nothing.
    // False, and nothing changes, when n itself would be the first to go.
    bool store(int n, std::shared_ptr<Image>& picture, int focus, int direction);
    std::vector<int> numbers() const;

  private:
    std::map<int, std::shared_ptr<Image>> frames_;
    std::size_t budget_;
    std::size_t pictureBytes_ = 0;
    int limit_ = 0;
};

}  // namespace tovra
