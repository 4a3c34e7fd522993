#include "headless/HeaderPictureDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace tovra {

namespace {

constexpr std::uint32_t kGrey = 0xFF808080u;

std::uint32_t le(const std::string& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | std::uint8_t(s[at + std::size_t(i)]);
    return v;
}

std::uint32_t be(const std::string& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | std::uint8_t(s[at + std::size_t(i)]);
    return v;
}

Image filled(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(std::size_t(width) * std::size_t(height), kGrey);
    return image;
}

std::optional<Image> decodeBmp(const std::string& s) {
    if (s.size() < 54) return std::nullopt;
    const std::uint32_t offset = le(s, 10, 4);
    const int width = std::int32_t(le(s, 18, 4));
    const int rawHeight = std::int32_t(le(s, 22, 4));
    const int bits = int(le(s, 28, 2));
    const std::uint32_t compression = le(s, 30, 4);
    const int height = std::abs(rawHeight);
    if (width <= 0 || height == 0 || width > 16384 || height > 16384) return std::nullopt;
    if (compression != 0 || (bits != 8 && bits != 24 && bits != 32)) return filled(width, height);
    const std::size_t stride = (std::size_t(width) * std::size_t(bits) / 8 + 3) & ~std::size_t(3);
    if (offset + stride * std::size_t(height) > s.size()) return std::nullopt;
    const std::size_t palette = 14 + le(s, 14, 4);
    Image image = filled(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? height - 1 - row : row;  // bottom-up unless height < 0
        const std::size_t line = offset + stride * std::size_t(row);
        for (int x = 0; x < width; ++x) {
            std::uint32_t bgr;
            if (bits == 8) {
                const std::size_t entry = palette + 4 * std::uint8_t(s[line + std::size_t(x)]);
                if (entry + 3 > s.size()) return std::nullopt;
                bgr = le(s, entry, 3);
            } else {
                bgr = le(s, line + std::size_t(x) * std::size_t(bits / 8), 3);
            }
            image.pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = 0xFF000000u | bgr;
        }
    }
    return image;
}

std::optional<Image> decodeJpegHeader(const std::string& s) {
    std::size_t i = 2;
    while (i + 9 < s.size()) {
        if (std::uint8_t(s[i]) != 0xFF) return std::nullopt;
        const std::uint8_t marker = std::uint8_t(s[i + 1]);
        const std::uint32_t length = be(s, i + 2, 2);
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            const int height = int(be(s, i + 5, 2));
            const int width = int(be(s, i + 7, 2));
            if (width <= 0 || height <= 0) return std::nullopt;
            return filled(width, height);
        }
        i += 2 + length;
    }
    return std::nullopt;
}

std::optional<Image> decodeBytes(const std::string& s) {
    if (s.size() >= 2 && s.compare(0, 2, "BM") == 0) return decodeBmp(s);
    if (s.size() >= 4 && std::uint8_t(s[0]) == 0xFF && std::uint8_t(s[1]) == 0xD8)
        return decodeJpegHeader(s);
    if (s.size() >= 24 && s.compare(1, 3, "PNG") == 0) {
        const int width = int(be(s, 16, 4));
        const int height = int(be(s, 20, 4));
        if (width > 0 && height > 0 && width <= 16384 && height <= 16384)
            return filled(width, height);
    }
    return std::nullopt;
}

}  // namespace

SharedImage HeaderPictureDecoder::decode(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return nullptr;
    std::ostringstream bytes;
    bytes << in.rdbuf();  // whole blocks at a time, and nothing for a folder
    std::optional<Image> picture = decodeBytes(std::move(bytes).str());
    if (!picture) return nullptr;
    return std::make_shared<const Image>(std::move(*picture));
}

}  // namespace tovra
