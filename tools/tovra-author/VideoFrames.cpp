#include "VideoFrames.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tovra::author {

namespace {

// The ground's motion is measured in rows: pictures of about the height
// the measure was tuned on measure best (a 1080p picture shrunk to 450 rows
// follows the true speed three to six times closer).
constexpr int kMeasuredSide = 800;

// The stored size, and the display matrix's turn as the nearest quarter turn
// clockwise.
void readStreamFacts(const std::filesystem::path& file, VideoFacts& facts) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, file.c_str(), nullptr, nullptr) != 0) return;
    int degrees = 0;
    if (avformat_find_stream_info(format, nullptr) >= 0) {
        const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (index >= 0) {
            facts.width = format->streams[index]->codecpar->width;
            facts.height = format->streams[index]->codecpar->height;
        }
        const std::uint8_t* matrix =
            index < 0 ? nullptr
                      : av_stream_get_side_data(format->streams[index], AV_PKT_DATA_DISPLAYMATRIX,
                                                nullptr);
        if (matrix) {
            // FFmpeg gives the turn counterclockwise.
            const double ccw =
                av_display_rotation_get(reinterpret_cast<const std::int32_t*>(matrix));
            if (std::isfinite(ccw))
                degrees = ((-int(std::lround(ccw / 90)) * 90) % 360 + 360) % 360;
        }
    }
    avformat_close_input(&format);
    facts.rotation = degrees;
}

}  // namespace

Image turnedClockwise(const Image& image, int degrees) {
    if (degrees == 0 || image.empty()) return image;
    const int w = image.width, h = image.height;
    const bool quarter = degrees != 180;
    Image out{quarter ? h : w, quarter ? w : h, std::vector<std::uint32_t>(image.pixels.size())};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = image.pixels[std::size_t(y) * w + x];
            const int tx = degrees == 90 ? h - 1 - y : degrees == 180 ? w - 1 - x : y;
            const int ty = degrees == 90 ? x : degrees == 180 ? h - 1 - y : w - 1 - x;
            out.pixels[std::size_t(ty) * out.width + tx] = p;
        }
    return out;
}

UprightFrames::UprightFrames(const std::filesystem::path& file) {
    if (!decoder_.open(file))
        throw std::runtime_error(file.string() + ": not a video FFmpeg can decode");
    facts_.frameCount = decoder_.frameCount();
    facts_.fps = decoder_.frameRate();
    readStreamFacts(file, facts_);
}

void UprightFrames::limitSize(int side) {
    const int longest = std::max(facts_.width, facts_.height);
    if (longest <= side) return;
    const auto shrunk = [&](int length) {
        return std::max(2, 2 * int(std::lround(length * 0.5 * side / longest)));
    };
    decoder_.setPictureSize(shrunk(facts_.width), shrunk(facts_.height));
}

bool UprightFrames::decode(int frame, Image& out) {
    if (facts_.rotation == 0) return decoder_.decode(frame, out);
    if (!decoder_.decode(frame, stored_)) return false;
    out = turnedClockwise(stored_, facts_.rotation);
    return true;
}

VideoFacts probeVideo(const std::filesystem::path& file) {
    return UprightFrames(file).facts();
}

std::vector<double> measureMotion(const std::filesystem::path& file, const MotionBand& band,
                                  const std::vector<int>& standing, const Progress& progress) {
    UprightFrames frames(file);
    frames.limitSize(kMeasuredSide);
    const int count = frames.facts().frameCount;
    MotionMeter meter(band);
    std::vector<double> motion(std::size_t(count), 0.0);
    Image picture, last;
    int held = 0;  // frame numbers since the last picture of its own
    const int every = std::max(1, count / 100);
    for (int f = 0; f < count; ++f) {
        if (!frames.decode(f, picture)) break;  // a short stream ends the measure
        if (std::find(standing.begin(), standing.end(), f) != standing.end()) meter.restart();
        // No camera gives the same picture twice: this number has none of its own.
        if (f > 0 && picture.pixels == last.pixels) {
            ++held;
        } else {
            const double moved = meter.step(picture, held + 1) / (held + 1);
            std::fill(motion.begin() + (f - held), motion.begin() + f + 1, moved);
            held = 0;
            std::swap(last, picture);
        }
        if (progress && (f % every == 0 || f + 1 == count)) progress(f + 1, count);
    }
    return motion;
}

std::vector<Image> framePictures(const std::filesystem::path& file,
                                 const std::vector<int>& frames) {
    std::vector<Image> out(frames.size());
    try {
        UprightFrames video(file);
        for (std::size_t i = 0; i < frames.size(); ++i) video.decode(frames[i], out[i]);
    } catch (const std::runtime_error&) {
        // no pictures: the contact sheet shows empty frames
    }
    return out;
}

}  // namespace tovra::author
