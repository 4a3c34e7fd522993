#include "headless/FakeVideoSource.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace tovra {

namespace {

std::uint32_t le32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
           std::uint32_t(b[3]) << 24;
}

}  // namespace

bool FakeVideoSource::open(const std::filesystem::path& file) {
    frames_ = width_ = height_ = 0;
    if (measure_) {
        const auto shape = measure_(file);
        if (!shape) return false;
        frames_ = shape->frames;
        width_ = shape->width;
        height_ = shape->height;
        return frames_ > 0;
    }
    std::ifstream in(file, std::ios::binary);
    std::string head(4096, '\0');
    in.read(head.data(), std::streamsize(head.size()));
    head.resize(std::size_t(in.gcount()));
    if (head.size() < 12 || head.compare(0, 4, "RIFF") != 0 || head.compare(8, 4, "AVI ") != 0)
        return false;
    // avih: microseconds per frame, max bytes/s, padding, flags, total frames,
    // initial frames, streams, buffer size, width, height.
    const auto avih = head.find("avih");
    if (avih == std::string::npos || avih + 8 + 40 > head.size()) return false;
    const char* h = head.data() + avih + 8;
    frames_ = int(le32(h + 16));
    width_ = int(le32(h + 32));
    height_ = int(le32(h + 36));
    return frames_ > 0;
}

int FakeVideoSource::fetch(int n, int have, std::shared_ptr<const Image>& out) {
    if (n < 0 || n >= frames_) return -1;
    if (n == have) return n;
    auto picture = std::make_shared<Image>();
    picture->width = width_;
    picture->height = height_;
    picture->pixels.assign(std::size_t(width_) * std::size_t(height_), colourOf(n));
    out = std::move(picture);
    return n;
}

}  // namespace tovra
