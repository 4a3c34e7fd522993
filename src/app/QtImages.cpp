#include "app/QtImages.h"

#include <cstring>

namespace tovra {

QImage toQImage(const Image& image) {
    if (image.empty()) return {};
    QImage out(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(out.scanLine(y), &image.pixels[std::size_t(y) * std::size_t(image.width)],
                    std::size_t(image.width) * sizeof(std::uint32_t));
    }
    return out;
}

QImage opaqueView(const Image& image) {
    if (image.empty()) return {};
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * int(sizeof(std::uint32_t)), QImage::Format_RGB32);
}

QImage keyedImage(const Image& image, std::optional<std::uint32_t> transparent) {
    QImage out = toQImage(image);
    if (out.isNull() || !transparent) return out;
    // Colours compare without their alpha: decoders differ in what they put there.
    const std::uint32_t key = *transparent & 0x00FFFFFFu;
    bool opaque = true;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((row[x] & 0x00FFFFFFu) == key) row[x] = 0;
            opaque = opaque && row[x] >> 24 == 0xFFu;
        }
    }
    // A picture with nothing to see through is copied when drawn, not blended.
    return out.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
}

}  // namespace tovra
