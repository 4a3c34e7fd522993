#pragma once

#include <QImage>
#include <cstdint>
#include <optional>

#include "ports/Image.h"

namespace tovra {

// A copy of a decoded picture as a Qt image.
QImage toQImage(const Image& image);

// An opaque picture (a video frame, a photograph) as a Qt image over its own
// pixels, without a copy: valid while `image` lives unchanged.
QImage opaqueView(const Image& image);

// The picture with every pixel of the transparent colour made clear.
QImage keyedImage(const Image& image, std::optional<std::uint32_t> transparent);

}  // namespace tovra
