#include "sound/SoundLevels.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tovra {

namespace {

// The volume from a double log10 where that cannot round otherwise than the
// long double one: the two differ by far less than this, so only a value this
// near a half needs the long double.
constexpr double kUndecided = 1e-6;
constexpr double kLargestQuickScale = 65536;

std::optional<int> quickLogVolume(Extended gain, Extended scale) {
    const double g = double(gain);
    const double k = double(scale);
    if (!std::isnormal(g) || !(std::fabs(k) <= kLargestQuickScale) || Extended(k) != scale)
        return std::nullopt;
    const double level = std::log10(g) * k;
    if (level >= 0.5 + kUndecided) return 0;
    if (level <= SoundChannels::kSilentVolume - 0.5 - kUndecided)
        return SoundChannels::kSilentVolume;
    const double below = std::floor(level);
    if (std::fabs(level - below - 0.5) < kUndecided) return std::nullopt;
    const double nearest = level - below < 0.5 ? below : below + 1;
    return std::clamp(int(nearest), SoundChannels::kSilentVolume, 0);
}

}  // namespace

int logVolume(Extended gain, Extended scale) {
    if (!(gain > 0)) return SoundChannels::kSilentVolume;
    if (const auto quick = quickLogVolume(gain, scale)) return *quick;
    return int(roundHalfEven(
        std::clamp<Extended>(std::log10(gain) * scale, SoundChannels::kSilentVolume, 0)));
}

}  // namespace tovra
