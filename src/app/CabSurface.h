#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ports/Image.h"

namespace tovra {

class Cab;
class SpriteModel;

// What the drawing keeps from one pass to the next.
struct DrawState {
    std::int32_t ammeterShown = 0;
    int fadeLevel = 0;    // 0: no fade running
    int noticeWidth = 0;  // the top message's width in the last pass
    int framesPerSecond = 0;
    std::int64_t framesDrawn = 0;
};

// The cab's 800 x 760 drawing surface: the video picture with the status
// texts, the sprites in depth order, the clock and the fade.
class CabSurface {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 760;

    CabSurface();

    // One drawing pass; `still` replaces the video picture and its texts
    // when given.
    // Returns true when the fade has ended and the cab window is to close.
    bool draw(Cab& cab, DrawState& state, const Image* still = nullptr);

    // Draws the visible sprites, lowest depth first.
    void drawSprites(QPainter& painter, const SpriteModel& sprites);

    const QImage& image() const { return surface_; }

  private:
    struct CachedPicture {
        const Image* source = nullptr;
        QImage keyed;
    };
    const QImage& keyedPicture(const SpriteModel& sprites, std::size_t picture);
    const QImage& keyedListImage(const Image& image);
    void drawVideo(QPainter& painter, Cab& cab, DrawState& state, const Image& picture, bool texts);
    void drawWayside(QPainter& painter, const Cab& cab);
    void drawClock(QPainter& painter, const Cab& cab);

    QImage surface_;
    std::vector<CachedPicture> pictures_;
    // The route's image lists keyed once; they live as long as the run.
    std::unordered_map<const Image*, QImage> listImages_;
    QImage staffOverlay_;
    const Image* staffSource_ = nullptr;
};

}  // namespace tovra
