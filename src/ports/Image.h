#pragma once

#include <cstdint>
#include <vector>

namespace tovra {

// A decoded picture: 32-bit 0xAARRGGBB pixels, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    std::uint32_t bottomLeft() const { return at(0, height - 1); }
};

}  // namespace tovra
