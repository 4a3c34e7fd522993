#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/PictureFileDecoder.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

std::string le(std::uint32_t value, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char(value >> (8 * i) & 0xFF);
    return s;
}

// A BMP of `bits` 8 (with palette) or 24, rows stored bottom-up unless `topDown`.
std::string bmp(int width, int height, int bits, bool topDown,
                const std::vector<std::uint32_t>& rgbRowsFromTop,
                const std::vector<std::uint32_t>& palette = {}) {
    const int stride = (width * bits / 8 + 3) & ~3;
    const std::uint32_t offset = 54 + 4 * std::uint32_t(palette.size());
    std::string s =
        "BM" + le(offset + std::uint32_t(stride * height), 4) + le(0, 4) + le(offset, 4);
    s += le(40, 4) + le(std::uint32_t(width), 4) +
         le(std::uint32_t(topDown ? -height : height), 4) + le(1, 2) + le(std::uint32_t(bits), 2) +
         le(0, 4) + le(std::uint32_t(stride * height), 4) + le(2835, 4) + le(2835, 4) +
         le(std::uint32_t(palette.size()), 4) + le(0, 4);
    for (const std::uint32_t c : palette) s += le(c, 4);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::string line;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = rgbRowsFromTop[std::size_t(y * width + x)];
            line += bits == 8 ? le(v, 1) : le(v, 3);
        }
        line.resize(std::size_t(stride), '\0');
        s += line;
    }
    return s;
}

// A JPEG of solid quarters: top left, top right, bottom left, bottom right.
std::string jpeg(int width, int height, const std::uint32_t quarters[4], bool grey = false) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(width * info.input_components));
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = quarters[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
            if (grey)
                row[std::size_t(x)] = c & 0xFF;
            else
                for (int k = 0; k < 3; ++k) row[std::size_t(x * 3 + k)] = c >> (16 - 8 * k) & 0xFF;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

bool near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
    return true;
}

TEST(PictureFileDecoder, DecodesBmpOfEitherRowOrder) {
    test::TempDir dir;
    PictureFileDecoder decoder;
    // 3 x 2: top row red, green, blue; bottom row white, black, grey.
    const std::vector<std::uint32_t> rgb = {0xFF0000, 0x00FF00, 0x0000FF,
                                            0xFFFFFF, 0x000000, 0x808080};
    for (const bool topDown : {false, true}) {
        const auto picture = decoder.decode(dir.writeBytes("p24.bmp", bmp(3, 2, 24, topDown, rgb)));
        ASSERT_TRUE(picture) << "top-down " << topDown;
        EXPECT_EQ(picture->width, 3);
        EXPECT_EQ(picture->height, 2);
        EXPECT_EQ(picture->bottomLeft(), 0xFFFFFFFFu);
        EXPECT_EQ(picture->at(0, 0), 0xFFFF0000u);
        EXPECT_EQ(picture->at(2, 0), 0xFF0000FFu);
        EXPECT_EQ(picture->at(2, 1), 0xFF808080u);
    }
    // Palette entries are stored blue, green, red.
    const auto indexed = decoder.decode(
        dir.writeBytes("p8.bmp", bmp(5, 3, 8, false, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 0},
                                     {0x00112233, 0x00FF00FF, 0x00ABCDEF})));
    ASSERT_TRUE(indexed);
    EXPECT_EQ(indexed->width, 5);
    EXPECT_EQ(indexed->height, 3);
    EXPECT_EQ(indexed->bottomLeft(), 0xFFABCDEFu);
    EXPECT_EQ(indexed->at(0, 0), 0xFF112233u);
}

TEST(PictureFileDecoder, DecodesPngWithItsAlpha) {
    test::TempDir dir;
    QImage source(7, 4, QImage::Format_ARGB32);
    source.fill(QColor(10, 20, 30));
    source.setPixel(0, 3, qRgba(200, 100, 50, 0x80));
    const auto file = dir / "p.png";
    ASSERT_TRUE(source.save(QString::fromStdString(file.string()), "PNG"));
    const auto picture = PictureFileDecoder().decode(file);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 7);
    EXPECT_EQ(picture->height, 4);
    EXPECT_EQ(picture->bottomLeft(), 0x80C86432u);
    EXPECT_EQ(picture->at(6, 0), 0xFF0A141Eu);
}

TEST(PictureFileDecoder, DecodesJpegInColourAndGrey) {
    test::TempDir dir;
    PictureFileDecoder decoder;
    const std::uint32_t colours[4] = {0x2040C0, 0xF0F0F0, 0xC82850, 0x107010};
    const auto colour = decoder.decode(dir.writeBytes("c.jpg", jpeg(48, 32, colours)));
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->width, 48);
    EXPECT_EQ(colour->height, 32);
    EXPECT_TRUE(near(colour->bottomLeft(), 0xFFC82850u, 8)) << std::hex << colour->bottomLeft();
    EXPECT_TRUE(near(colour->at(47, 31), 0xFF107010u, 8)) << std::hex << colour->at(47, 31);
    EXPECT_TRUE(near(colour->at(0, 0), 0xFF2040C0u, 8)) << std::hex << colour->at(0, 0);

    const std::uint32_t greys[4] = {0x10, 0x40, 0xA0, 0xF0};
    const auto grey = decoder.decode(dir.writeBytes("g.jpeg", jpeg(17, 9, greys, true)));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->width, 17);
    EXPECT_EQ(grey->height, 9);
    EXPECT_TRUE(near(grey->bottomLeft(), 0xFFA0A0A0u, 6)) << std::hex << grey->bottomLeft();
}

TEST(PictureFileDecoder, MissingOrBrokenFilesGiveNothing) {
    test::TempDir dir;
    PictureFileDecoder decoder;
    const std::uint32_t colours[4] = {0x2040C0, 0xF0F0F0, 0xC82850, 0x107010};
    const std::string whole = jpeg(64, 64, colours);
    EXPECT_FALSE(decoder.decode(dir / "missing.bmp"));
    EXPECT_FALSE(decoder.decode(dir.writeBytes("cut.jpg", whole.substr(0, whole.size() / 2))));
    EXPECT_FALSE(decoder.decode(dir.writeBytes("end-cut.jpg", whole.substr(0, whole.size() - 10))));
    EXPECT_FALSE(
        decoder.decode(dir.writeBytes("noise.jpg", "\xFF\xD8\xFF\xE0 this is no picture at all")));
    EXPECT_FALSE(decoder.decode(dir.writeBytes("text.bmp", "not a picture")));
    const std::string header = bmp(4, 4, 24, false, std::vector<std::uint32_t>(16, 0));
    EXPECT_FALSE(decoder.decode(dir.writeBytes("short.bmp", header.substr(0, 30))));
    EXPECT_FALSE(decoder.decode(dir.writeBytes("empty.png", "")));
    // The content decides: a JPEG named .bmp still decodes.
    const auto renamed = decoder.decode(dir.writeBytes("really-a-jpeg.bmp", whole));
    ASSERT_TRUE(renamed);
    EXPECT_EQ(renamed->width, 64);
}

}  // namespace
}  // namespace tovra
