#include "demo-gen/ImageFiles.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace tovra::demo {

namespace {

void put16(std::string& out, unsigned v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

void writeBmp(const std::filesystem::path& file, const RgbImage& image) {
    const std::uint32_t stride = (std::uint32_t(image.width) * 3 + 3) & ~3u;
    const std::uint32_t dataSize = stride * std::uint32_t(image.height);
    std::string out;
    out.reserve(54 + dataSize);
    out += "BM";
    put32(out, 54 + dataSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, std::uint32_t(image.width));
    put32(out, std::uint32_t(image.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, dataSize);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* p = image.row(y);
        for (int x = 0; x < image.width; ++x, p += 3) {
            out += char(p[2]);
            out += char(p[1]);
            out += char(p[0]);
        }
        out.append(stride - std::uint32_t(image.width) * 3, '\0');
    }
    std::filesystem::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary);
    stream.write(out.data(), std::streamsize(out.size()));
    if (!stream) throw std::runtime_error("cannot write " + file.string());
}

void writeJpeg(const std::filesystem::path& file, const RgbImage& image, int quality) {
    std::filesystem::create_directories(file.parent_path());
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(file.c_str(), "wb"), std::fclose);
    if (!out) throw std::runtime_error("cannot write " + file.string());
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out.get());
    info.image_width = JDIMENSION(image.width);
    info.image_height = JDIMENSION(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.row(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
}

}  // namespace tovra::demo
