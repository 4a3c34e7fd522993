#pragma once

#include <vector>

#include "demo-gen/Canvas.h"

namespace tovra::demo {

// A picture standing in the rendered view: premultiplied RGBA with halved
// copies, so that distant sprites are sampled without shimmer.
class Sprite {
  public:
    struct Texel {
        float r, g, b, a;  // premultiplied
    };
    struct Level {
        int w, h;
        std::vector<Texel> texels;
    };

    Sprite() = default;
    explicit Sprite(const Canvas& canvas);

    int width() const { return levels_.front().w; }
    int height() const { return levels_.front().h; }
    // The halved copy to read when one pixel covers `footprint` texels.
    int levelFor(double footprint) const;
    const Level& level(int n) const { return levels_[std::size_t(n)]; }

  private:
    std::vector<Level> levels_;
};

}  // namespace tovra::demo
