#include "VideoFrames.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <stdexcept>

#include "platform/VideoDecoder.h"

namespace tovra::author {

VideoFacts probeVideo(const std::filesystem::path& file) {
    VideoFacts facts;
    VideoDecoder decoder;
    if (!decoder.open(file))
        throw std::runtime_error(file.string() + ": not a video FFmpeg can decode");
    facts.frameCount = decoder.frameCount();
    // The decoder counts frames at the stream's rate; the rate itself is the
    // container's to tell.
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, file.c_str(), nullptr, nullptr) == 0) {
        if (avformat_find_stream_info(format, nullptr) >= 0) {
            const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
            if (index >= 0) {
                const AVRational rate =
                    av_guess_frame_rate(format, format->streams[index], nullptr);
                if (rate.num > 0 && rate.den > 0) facts.fps = av_q2d(rate);
            }
        }
        avformat_close_input(&format);
    }
    return facts;
}

std::vector<double> measureMotion(const std::filesystem::path& file, const MotionBand& band,
                                  const std::vector<int>& standing, const Progress& progress) {
    VideoDecoder decoder;
    if (!decoder.open(file))
        throw std::runtime_error(file.string() + ": not a video FFmpeg can decode");
    const int count = decoder.frameCount();
    MotionMeter meter(band);
    std::vector<double> motion(std::size_t(count), 0.0);
    Image picture;
    const int every = std::max(1, count / 100);
    for (int f = 0; f < count; ++f) {
        if (!decoder.decode(f, picture)) break;  // a short stream ends the measure
        if (std::find(standing.begin(), standing.end(), f) != standing.end()) meter.restart();
        motion[f] = meter.step(picture);
        if (progress && (f % every == 0 || f + 1 == count)) progress(f + 1, count);
    }
    return motion;
}

std::vector<Image> framePictures(const std::filesystem::path& file,
                                 const std::vector<int>& frames) {
    std::vector<Image> out(frames.size());
    VideoDecoder decoder;
    if (!decoder.open(file)) return out;
    for (std::size_t i = 0; i < frames.size(); ++i) decoder.decode(frames[i], out[i]);
    return out;
}

}  // namespace tovra::author
