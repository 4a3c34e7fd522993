#pragma once

#include <filesystem>

#include "demo-gen/RgbImage.h"

namespace tovra::demo {

// Uncompressed 24-bit BMP, bottom-up, as the picture decoders read exactly:
// transparent colours survive unchanged.
void writeBmp(const std::filesystem::path& file, const RgbImage& image);

// Baseline JPEG for opaque pictures (title screen, still images).
void writeJpeg(const std::filesystem::path& file, const RgbImage& image, int quality = 88);

}  // namespace tovra::demo
