#include "platform/PictureFileDecoder.h"

#include <QImage>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <iterator>
#include <vector>

#include "platform/JpegDecoder.h"

namespace tovra {

namespace {

std::optional<Image> decodeWithQt(const std::vector<unsigned char>& bytes) {
    QImage loaded;
    if (!loaded.loadFromData(bytes.data(), int(bytes.size()))) return std::nullopt;
    const QImage argb = loaded.convertToFormat(QImage::Format_ARGB32);  // 0xAARRGGBB words
    Image picture;
    picture.width = argb.width();
    picture.height = argb.height();
    picture.pixels.resize(std::size_t(picture.width) * std::size_t(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(&picture.pixels[std::size_t(y) * std::size_t(picture.width)],
                    argb.constScanLine(y), std::size_t(picture.width) * sizeof(std::uint32_t));
    return picture;
}

}  // namespace

SharedImage PictureFileDecoder::decode(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return nullptr;
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < 4) return nullptr;
    const bool jpeg = bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
    std::optional<Image> picture =
        jpeg ? decodeJpeg(bytes.data(), bytes.size()) : decodeWithQt(bytes);
    if (!picture) return nullptr;
    return std::make_shared<const Image>(std::move(*picture));
}

}  // namespace tovra
