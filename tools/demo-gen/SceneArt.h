#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "demo-gen/Sprite.h"

namespace tovra::demo {

// The pictures that stand in the rendered view: trees, houses, poles,
// signals, boards, crossing gear, the tunnel portal, trains. Drawn once and
// shared, read-only, by every rendering thread.
class SceneArt {
  public:
    SceneArt();

    const Sprite* tree(int variant) const {
        return trees_[std::size_t(variant) % trees_.size()].get();
    }
    const Sprite* houseEnd(int variant) const {
        return houses_[std::size_t(variant) % houses_.size()].get();
    }
    const Sprite* person(int variant) const {
        return people_[std::size_t(variant) % people_.size()].get();
    }
    const Sprite* car(int variant) const {
        return cars_[std::size_t(variant) % cars_.size()].get();
    }
    const Sprite* signalHead(int type) const;
    const Sprite* crossingSignal(int phase) const {
        return crossing_[std::size_t(phase) % 2].get();
    }

    // Named pictures: "pole", "beam", "mast", "signal_back", "beacon",
    // "barrier", "buffer", "portal", "bank", "column", "stop_mark",
    // "release", "whistle", "approach", "train_front", "train_rear".
    const Sprite* named(const std::string& name) const;
    // Pictures with lettering, made on first use: km posts, limits,
    // gradients, station name boards.
    const Sprite* kmPost(int hectometres);
    const Sprite* limitBoard(int speed);
    const Sprite* gradientPost(double permil);
    const Sprite* nameBoard(const std::string& name, const std::string& kana,
                            const std::string& roman, const std::string& previous,
                            const std::string& next);

  private:
    const Sprite* keep(const std::string& key, const Canvas& canvas);

    std::vector<std::unique_ptr<Sprite>> trees_, houses_, people_, cars_, crossing_;
    std::map<std::string, std::unique_ptr<Sprite>> named_;
};

}  // namespace tovra::demo
