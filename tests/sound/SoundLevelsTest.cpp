#include "sound/SoundLevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace tovra {
namespace {

TEST(SoundLevels, LogVolumeRoundsAsTheLongDoubleRuleEvenNearAHalf) {
    EXPECT_EQ(logVolume(0.5L, 2000), -602);        // -602.06
    EXPECT_EQ(logVolume(1e-4000L, 2000), -10000);  // too small for a double
    EXPECT_EQ(logVolume(0, 2000), SoundChannels::kSilentVolume);
    EXPECT_EQ(logVolume(NAN, 2000), SoundChannels::kSilentVolume);

    const auto longDouble = [](Extended gain, Extended scale) {
        return int(roundHalfEven(
            std::clamp<Extended>(std::log10(gain) * scale, SoundChannels::kSilentVolume, 0)));
    };
    // Gains whose level lies on a half, and the nearest long doubles around
    // them: the rounding there decides between two volumes.
    for (const Extended scale : {1660.0L, 2000.0L, 5000.0L, 1.0L}) {
        for (int n = -10001; n <= 1; ++n) {
            const Extended onHalf = std::pow(10.0L, (n + 0.5L) / scale);
            Extended gain = onHalf;
            for (int step = 0; step < 3; ++step) gain = std::nextafter(gain, 0.0L);
            for (int step = 0; step < 7; ++step) {
                ASSERT_EQ(logVolume(gain, scale), longDouble(gain, scale)) << double(gain);
                gain = std::nextafter(gain, 2.0L);
            }
        }
    }
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-7, 1);
    for (int k = 0; k < 100000; ++k) {
        const Extended gain = std::pow(10.0L, Extended(exponent(random)));
        ASSERT_EQ(logVolume(gain, 2000), longDouble(gain, 2000)) << double(gain);
    }
}

}  // namespace
}  // namespace tovra
