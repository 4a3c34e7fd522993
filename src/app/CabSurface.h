#pragma once

#include <QImage>
#include <QRegion>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/StatusLayout.h"
#include "ports/Image.h"
#include "view/WaysidePictures.h"

namespace tovra {

class Cab;
class SpriteModel;

// What the drawing keeps from one pass to the next.
struct DrawState {
    std::int32_t ammeterShown = 0;
    int fadeLevel = 0;    // 0: no fade running
    int noticeWidth = 0;  // the top message's width in the last pass
    std::int64_t framesDrawn = 0;
};

// How one sprite looks on the surface.
struct SpriteLook {
    std::size_t picture = 0;
    int patternIndex = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int angle = 0;  // rotatable sprites only
    int depth = 0;
    bool operator==(const SpriteLook&) const = default;
};

// Everything one drawing pass puts on the surface: two equal scenes give the
// same pixels, so a pass whose scene has not changed need not draw.
struct Scene {
    const Image* picture = nullptr;
    std::uint64_t pictureVersion = 0;  // of the video picture; 0 for a still
    int videoWidth = 0, videoHeight = 0;
    StatusLayout texts;
    std::string notice;  // the top message, measured for the next pass
    std::vector<SpriteLook> sprites;
    WaysideView wayside;
    std::vector<std::array<std::int32_t, 2>> clockHands;  // ends, from the clock's corner
    int clockX = 0, clockY = 0;
    const Image* overlay = nullptr;
    int overlayX = 0;
    int fadeLevel = 0;
    int fadeBottom = 0;
    bool closesWindow = false;  // the fade has ended: the cab window closes
    bool operator==(const Scene&) const = default;
};

// The cab's drawing surface: the video picture with the status texts, the
// sprites in depth order, the clock and the fade, laid out on 800 x 760 and
// drawn at a scale, at the size the window shows it. Scenes, areas and
// sprites are in the layout's units; at scale 1 a unit is a pixel.
class CabSurface {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 760;

    CabSurface();

    // From now on the surface is the layout `scale` times as large, in the
    // screen's own pixels, of which `pixelRatio` make one of the window's
    // units (a high-density screen); what it showed is gone (black) until
    // the next draw.
    void setScale(double scale, double pixelRatio = 1);
    double scale() const { return scale_; }
    double pixelRatio() const { return pixelRatio_; }
    // The pixels of the surface a rectangle of the layout covers.
    QRect shown(const QRect& layout) const;
    QRegion shown(const QRegion& layout) const;
    // The rectangles of the layout that reach into these pixels.
    QRegion reaching(const QRegion& pixels) const;

    // What a pass shows now: turns the gauges and steps the fade. `still`
    // replaces the video picture and its texts when given.
    Scene scene(Cab& cab, DrawState& state, const Image* still = nullptr);
    // The part of the surface that differs between the pictures of two
    // scenes: the whole surface when that cannot be told in parts.
    QRegion changes(const Scene& drawn, const Scene& next) const;
    QRegion everywhere() const { return QRegion(0, 0, kWidth, kHeight); }
    // Draws a scene of this run within `area`; the rest of the surface must
    // already show it.
    void draw(const Scene& scene, const SpriteModel& sprites, DrawState& state,
              const QRegion& area);
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
    void drawTexts(QPainter& painter, const Scene& scene, DrawState& state);
    void drawScaledTexts(QPainter& painter, const Scene& scene);
    void measureNotice(const Scene& scene, DrawState& state) const;
    void drawWayside(QPainter& painter, const WaysideView& view);
    void drawSprites(QPainter& painter, std::span<const SpriteLook> looks,
                     const SpriteModel& sprites, const QRegion& area);

    double scale_ = 1;
    double pixelRatio_ = 1;
    QImage surface_;
    std::vector<CachedPicture> pictures_;
    // The route's image lists keyed once; they live as long as the run.
    std::unordered_map<const Image*, QImage> listImages_;
    QImage staffOverlay_;
    const Image* staffSource_ = nullptr;
};

}  // namespace tovra
