#include "Ground.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace tovra::author::test {

namespace {
constexpr int kWidth = 160, kHeight = 120;
}

std::vector<float> sleeperGround(int rows, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> ballast(60, 140);
    std::vector<float> ground(std::size_t(kWidth) * rows);
    for (int r = 0; r < rows; ++r)
        for (int x = 0; x < kWidth; ++x)
            ground[std::size_t(r) * kWidth + x] = float(r % 9 < 3 ? 30 : ballast(random));
    return ground;
}

Image groundFrame(const std::vector<float>& ground, double offset) {
    Image image{kWidth, kHeight, std::vector<std::uint32_t>(kWidth * kHeight)};
    for (int y = 0; y < kHeight; ++y) {
        const double source = kHeight + 10 - y + offset;
        const int r = int(std::floor(source));
        const double w = source - r;
        for (int x = 0; x < kWidth; ++x) {
            const double v = (1 - w) * ground[r * kWidth + x] + w * ground[(r + 1) * kWidth + x];
            const auto g = std::uint32_t(std::clamp(v, 0.0, 255.0));
            image.pixels[y * kWidth + x] = 0xff000000u | g << 16 | g << 8 | g;
        }
    }
    return image;
}

}  // namespace tovra::author::test
