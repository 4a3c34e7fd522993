#include "NumberedVideo.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstdint>

namespace tovra::test {

namespace {

constexpr int kBits = 16;
constexpr int kColumns = 4;
constexpr int kBlockWidth = kNumberedWidth / kColumns;
constexpr int kBlockHeight = kNumberedHeight / (kBits / kColumns);

bool bitAt(int number, int x, int y) {
    const int bit = y / kBlockHeight * kColumns + x / kBlockWidth;
    return (number >> bit & 1) != 0;
}

// Planar YUV where the encoder takes it (full range for JPEG), else RGB (Cinepak).
AVPixelFormat pictureFormat(const AVCodec& encoder) {
    const bool jpeg = encoder.id == AV_CODEC_ID_MJPEG;
    for (const AVPixelFormat wanted :
         {jpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P, AV_PIX_FMT_RGB24})
        for (const AVPixelFormat* f = encoder.pix_fmts; f && *f != AV_PIX_FMT_NONE; ++f)
            if (*f == wanted) return wanted;
    return AV_PIX_FMT_NONE;
}

void paint(AVFrame& frame, int number) {
    const bool rgb = frame.format == AV_PIX_FMT_RGB24;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const std::uint8_t value = bitAt(number, x, y) ? 255 : 0;
            if (rgb)
                std::fill_n(frame.data[0] + y * frame.linesize[0] + 3 * x, 3, value);
            else
                frame.data[0][y * frame.linesize[0] + x] = value;
        }
    if (rgb) return;
    for (int plane = 1; plane < 3; ++plane)
        for (int y = 0; y < frame.height / 2; ++y)
            std::fill_n(frame.data[plane] + y * frame.linesize[plane], frame.width / 2, 128);
}

struct Encoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();

    ~Encoder() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        if (format && format->pb) avio_closep(&format->pb);
        avformat_free_context(format);
    }

    // Sends one picture (or the end, with nullptr) and writes what comes out.
    bool send(const AVFrame* picture) {
        if (avcodec_send_frame(codec, picture) < 0) return false;
        while (avcodec_receive_packet(codec, packet) == 0) {
            packet->duration = 1;  // lets containers that keep a duration count the last frame
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(format, packet) < 0) return false;
        }
        return true;
    }
};

}  // namespace

bool writeNumberedVideo(const std::filesystem::path& file, const VideoRecipe& recipe, int frames) {
    Encoder e;
    const AVCodec* encoder = avcodec_find_encoder_by_name(recipe.codec.c_str());
    if (!encoder || !e.frame || !e.packet) return false;
    if (avformat_alloc_output_context2(&e.format, nullptr, recipe.container.c_str(), file.c_str()) <
        0)
        return false;
    e.stream = avformat_new_stream(e.format, nullptr);
    e.codec = avcodec_alloc_context3(encoder);
    if (!e.stream || !e.codec) return false;
    AVCodecContext& c = *e.codec;
    c.width = kNumberedWidth;
    c.height = kNumberedHeight;
    c.time_base = {1, 30};
    c.framerate = {30, 1};
    c.pix_fmt = pictureFormat(*encoder);
    if (c.pix_fmt == AV_PIX_FMT_NONE) return false;
    c.gop_size = recipe.keyFrameInterval;
    c.max_b_frames = recipe.bFrames;
    if (recipe.codec == "libx264") {
        av_opt_set(c.priv_data, "preset", "ultrafast", 0);
        av_opt_set_int(c.priv_data, "bframes", recipe.bFrames, 0);
        av_opt_set(c.priv_data, "x264-params", "scenecut=0", 0);
    } else {
        c.flags |= AV_CODEC_FLAG_QSCALE;
        c.global_quality = FF_QP2LAMBDA * 4;
    }
    if (e.format->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(e.codec, encoder, nullptr) < 0) return false;
    if (avcodec_parameters_from_context(e.stream->codecpar, e.codec) < 0) return false;
    e.stream->time_base = c.time_base;
    if (avio_open(&e.format->pb, file.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(e.format, nullptr) < 0) return false;

    e.frame->format = c.pix_fmt;
    e.frame->width = c.width;
    e.frame->height = c.height;
    if (av_frame_get_buffer(e.frame, 0) < 0) return false;
    for (int n = 0; n < frames; ++n) {
        if (av_frame_make_writable(e.frame) < 0) return false;
        paint(*e.frame, n);
        e.frame->pts = n;
        if (!e.send(e.frame)) return false;
    }
    return e.send(nullptr) && av_write_trailer(e.format) == 0;
}

int readFrameNumber(const Image& picture) {
    if (picture.width != kNumberedWidth || picture.height != kNumberedHeight) return -1;
    int number = 0;
    for (int bit = 0; bit < kBits; ++bit) {
        const int x = bit % kColumns * kBlockWidth + kBlockWidth / 2;
        const int y = bit / kColumns * kBlockHeight + kBlockHeight / 2;
        const int green = int(picture.at(x, y) >> 8 & 0xFF);
        if (green > 192)
            number |= 1 << bit;
        else if (green >= 64)
            return -1;
    }
    return number;
}

}  // namespace tovra::test
