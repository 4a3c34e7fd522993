#include "demo-gen/VideoEncoder.h"

#include <stdexcept>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace tovra::demo {

namespace {

void check(int result, const char* what, const std::filesystem::path& file) {
    if (result < 0) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(result, text, sizeof text);
        throw std::runtime_error(std::string(what) + " " + file.string() + ": " + text);
    }
}

}  // namespace

struct VideoEncoder::Impl {
    std::filesystem::path file;
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scaler = nullptr;
    bool open = false;

    ~Impl() {
        sws_freeContext(scaler);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    // Sends a frame (or the end, for nullptr) and writes what comes out.
    void encode(AVFrame* input) {
        check(avcodec_send_frame(codec, input), "cannot encode", file);
        for (;;) {
            const int r = avcodec_receive_packet(codec, packet);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
            check(r, "cannot encode", file);
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            check(av_interleaved_write_frame(format, packet), "cannot write", file);
        }
    }
};

VideoEncoder::VideoEncoder(const std::filesystem::path& file, int width, int height, int quality,
                           int keyInterval)
    : impl_(std::make_unique<Impl>()) {
    Impl& m = *impl_;
    m.file = file;
    std::filesystem::create_directories(file.parent_path());
    check(avformat_alloc_output_context2(&m.format, nullptr, "avi", file.c_str()), "cannot create",
          file);
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!codec) throw std::runtime_error("FFmpeg has no MPEG-4 encoder");
    m.stream = avformat_new_stream(m.format, nullptr);
    m.codec = avcodec_alloc_context3(codec);
    m.codec->width = width;
    m.codec->height = height;
    m.codec->time_base = {1, 30};
    m.codec->framerate = {30, 1};
    m.codec->pix_fmt = AV_PIX_FMT_YUV420P;
    m.codec->gop_size = keyInterval;
    m.codec->max_b_frames = 0;
    m.codec->thread_count = 1;
    m.codec->flags |= AV_CODEC_FLAG_QSCALE;
    m.codec->global_quality = FF_QP2LAMBDA * quality;
    if (m.format->oformat->flags & AVFMT_GLOBALHEADER)
        m.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check(avcodec_open2(m.codec, codec, nullptr), "cannot open the encoder for", file);
    check(avcodec_parameters_from_context(m.stream->codecpar, m.codec), "cannot set up", file);
    m.stream->time_base = m.codec->time_base;
    check(avio_open(&m.format->pb, file.c_str(), AVIO_FLAG_WRITE), "cannot write", file);
    check(avformat_write_header(m.format, nullptr), "cannot write", file);
    m.open = true;
    m.frame = av_frame_alloc();
    m.frame->format = AV_PIX_FMT_YUV420P;
    m.frame->width = width;
    m.frame->height = height;
    check(av_frame_get_buffer(m.frame, 0), "cannot allocate a frame for", file);
    m.packet = av_packet_alloc();
    m.scaler = sws_getContext(width, height, AV_PIX_FMT_RGB24, width, height, AV_PIX_FMT_YUV420P,
                              SWS_BILINEAR, nullptr, nullptr, nullptr);
}

VideoEncoder::~VideoEncoder() {
    try {
        finish();
    } catch (...) {
        // A destructor must not throw; finish() reports errors when called directly.
    }
}

void VideoEncoder::add(const RgbImage& image) {
    Impl& m = *impl_;
    check(av_frame_make_writable(m.frame), "cannot encode", m.file);
    const std::uint8_t* source[] = {image.pixels.data()};
    const int stride[] = {image.width * 3};
    sws_scale(m.scaler, source, stride, 0, image.height, m.frame->data, m.frame->linesize);
    m.frame->pts = frames_++;
    m.frame->quality = m.codec->global_quality;  // a fixed quantiser is taken from each frame
    m.encode(m.frame);
}

void VideoEncoder::finish() {
    Impl& m = *impl_;
    if (!m.open) return;
    m.open = false;
    m.encode(nullptr);
    check(av_write_trailer(m.format), "cannot finish", m.file);
    avio_closep(&m.format->pb);
}

}  // namespace tovra::demo
