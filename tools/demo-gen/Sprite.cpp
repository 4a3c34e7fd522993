#include "demo-gen/Sprite.h"

#include <algorithm>
#include <cmath>

namespace tovra::demo {

namespace {

Sprite::Texel fetch(const Sprite::Level& l, int x, int y) {
    x = std::clamp(x, 0, l.w - 1);
    y = std::clamp(y, 0, l.h - 1);
    return l.texels[std::size_t(y) * std::size_t(l.w) + std::size_t(x)];
}

}  // namespace

Sprite::Sprite(const Canvas& canvas) {
    Level base{canvas.width(), canvas.height(), {}};
    base.texels.reserve(std::size_t(base.w) * std::size_t(base.h));
    for (int y = 0; y < base.h; ++y)
        for (int x = 0; x < base.w; ++x) {
            const Colour& c = canvas.at(x, y);
            base.texels.push_back({c.r * c.a, c.g * c.a, c.b * c.a, c.a});
        }
    levels_.push_back(std::move(base));
    while (levels_.back().w > 1 || levels_.back().h > 1) {
        const Level& p = levels_.back();
        Level l{std::max(1, p.w / 2), std::max(1, p.h / 2), {}};
        l.texels.resize(std::size_t(l.w) * std::size_t(l.h));
        for (int y = 0; y < l.h; ++y)
            for (int x = 0; x < l.w; ++x) {
                Texel sum{0, 0, 0, 0};
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx) {
                        const Texel t = fetch(p, 2 * x + dx, 2 * y + dy);
                        sum.r += t.r / 4, sum.g += t.g / 4, sum.b += t.b / 4, sum.a += t.a / 4;
                    }
                l.texels[std::size_t(y) * std::size_t(l.w) + std::size_t(x)] = sum;
            }
        levels_.push_back(std::move(l));
    }
}

int Sprite::levelFor(double footprint) const {
    return std::clamp(int(std::floor(std::log2(std::max(1.0, footprint)))), 0,
                      int(levels_.size()) - 1);
}

}  // namespace tovra::demo
