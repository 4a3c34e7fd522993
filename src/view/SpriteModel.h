#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/AsciiCase.h"
#include "ports/Image.h"
#include "view/PanelSprite.h"

namespace tovra {

// A named picture of the cab surface: the image cut into patterns of
// patternWidth x patternHeight, and the colour drawn as transparent.
struct Picture {
    std::string name;
    std::shared_ptr<const Image> image;
    std::optional<std::uint32_t> transparentColour;
    int patternWidth = 0;  // 0: the whole image
    int patternHeight = 0;
};

// How a picture is cut into patterns of width x height, numbered left to
// right, then top to bottom; a picture without pixels has none.
struct PatternGrid {
    int width = 0;
    int height = 0;
    int columns = 0;
    int rows = 0;
    int count() const { return columns * rows; }
};
PatternGrid patternGrid(const Picture& picture);

// What the drawing shows of a picture: where, above what, which pattern, how
// turned (angle in 256ths of a full turn, about the sprite's centre).
struct Sprite {
    std::string name;
    std::size_t picture = 0;  // index into SpriteModel::pictures()
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int depth = 0;
    bool visible = true;
    bool rotatable = false;
    int patternIndex = 0;
    int angle = 0;
};

// The cab's picture collection and sprites. Names compare without regard to
// case. Everything is created while the run loads; ticks only change the
// fields of existing sprites.
class SpriteModel {
  public:
    // Adds a picture and its sprite; the sprite takes the picture's pattern
    // size (or the image size) unless width/height are given.
    Sprite& add(Picture picture, int x, int y, int depth, bool rotatable = false);

    Sprite* find(std::string_view name);
    const Sprite* find(std::string_view name) const;
    // The same as find(panelSpriteName(which)), without the look-up.
    Sprite* find(PanelSprite which) {
        const std::size_t index = panel_[std::size_t(which)];
        return index == kNone ? nullptr : &sprites_[index];
    }
    const Sprite* find(PanelSprite which) const {
        return const_cast<SpriteModel*>(this)->find(which);
    }
    Sprite& at(std::size_t index) { return sprites_[index]; }
    Picture* findPicture(std::string_view name);

    const std::vector<Sprite>& sprites() const { return sprites_; }
    const std::vector<Picture>& pictures() const { return pictures_; }
    const Picture& pictureOf(const Sprite& sprite) const { return pictures_[sprite.picture]; }
    // Visible sprites from the lowest depth up; equal depths in creation order.
    std::vector<const Sprite*> drawOrder() const;

    void clear();

  private:
    std::vector<Picture> pictures_;
    std::vector<Sprite> sprites_;
    // The first sprite of each name: the panel looks sprites up every tick.
    std::unordered_map<std::string, std::size_t, IgnoringCaseHash, IgnoringCaseEqual> byName_;
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::array<std::size_t, kPanelSpriteCount> panel_ = emptyPanel();

    static constexpr std::array<std::size_t, kPanelSpriteCount> emptyPanel() {
        std::array<std::size_t, kPanelSpriteCount> none{};
        none.fill(kNone);
        return none;
    }
};

// The transparent colour rule of the cab's pictures: the bottom-left pixel.
inline std::uint32_t bottomLeftColour(const Image& image) {
    return image.bottomLeft();
}

}  // namespace tovra
