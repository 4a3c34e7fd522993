#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <memory>

namespace tovra::ffmpeg {

// FFmpeg's objects, freed by their own functions when they go out of scope.
template <typename T, auto Free>
struct Release {
    void operator()(T* p) const { Free(&p); }
};
using FormatContext =
    std::unique_ptr<AVFormatContext, Release<AVFormatContext, avformat_close_input>>;
using CodecContext = std::unique_ptr<AVCodecContext, Release<AVCodecContext, avcodec_free_context>>;
using Frame = std::unique_ptr<AVFrame, Release<AVFrame, av_frame_free>>;
using Packet = std::unique_ptr<AVPacket, Release<AVPacket, av_packet_free>>;

}  // namespace tovra::ffmpeg
