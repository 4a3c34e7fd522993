#pragma once

#include <cstdint>
#include <vector>

namespace tovra::demo {

// 8-bit RGB pixels, rows from the top; the form every picture and video frame
// of the demo set is written from.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h) * 3) {}
    std::uint8_t* row(int y) { return pixels.data() + std::size_t(y) * std::size_t(width) * 3; }
    const std::uint8_t* row(int y) const {
        return pixels.data() + std::size_t(y) * std::size_t(width) * 3;
    }
};

}  // namespace tovra::demo
