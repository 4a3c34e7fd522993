#include "view/SpriteModel.h"

#include <algorithm>

#include "common/AsciiCase.h"

namespace tovra {

PatternGrid patternGrid(const Picture& picture) {
    PatternGrid grid;
    if (!picture.image || picture.image->empty()) return grid;
    const Image& image = *picture.image;
    grid.width = picture.patternWidth > 0 ? picture.patternWidth : image.width;
    grid.height = picture.patternHeight > 0 ? picture.patternHeight : image.height;
    grid.columns = std::max(1, image.width / grid.width);
    grid.rows = std::max(1, image.height / grid.height);
    return grid;
}

Sprite& SpriteModel::add(Picture picture, int x, int y, int depth, bool rotatable) {
    Sprite sprite;
    sprite.name = picture.name;
    sprite.picture = pictures_.size();
    sprite.x = x;
    sprite.y = y;
    sprite.depth = depth;
    sprite.rotatable = rotatable;
    const PatternGrid grid = patternGrid(picture);
    sprite.width = grid.width;
    sprite.height = grid.height;
    if (byName_.emplace(sprite.name, sprites_.size()).second) {
        if (const auto which = panelSpriteNamed(sprite.name))
            panel_[std::size_t(*which)] = sprites_.size();
    }
    pictures_.push_back(std::move(picture));
    sprites_.push_back(std::move(sprite));
    return sprites_.back();
}

Sprite* SpriteModel::find(std::string_view name) {
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : &sprites_[found->second];
}

const Sprite* SpriteModel::find(std::string_view name) const {
    return const_cast<SpriteModel*>(this)->find(name);
}

Picture* SpriteModel::findPicture(std::string_view name) {
    const auto it = std::find_if(pictures_.begin(), pictures_.end(), [&](const Picture& p) {
        return equalsIgnoringCase(p.name, name);
    });
    return it == pictures_.end() ? nullptr : &*it;
}

std::vector<const Sprite*> SpriteModel::drawOrder() const {
    std::vector<const Sprite*> order;
    for (const Sprite& s : sprites_)
        if (s.visible) order.push_back(&s);
    std::stable_sort(order.begin(), order.end(),
                     [](const Sprite* a, const Sprite* b) { return a->depth < b->depth; });
    return order;
}

void SpriteModel::clear() {
    pictures_.clear();
    sprites_.clear();
    byName_.clear();
    panel_ = emptyPanel();
}

}  // namespace tovra
