#include "PhoneVideo.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

#include <cmath>
#include <memory>

namespace tovra::author::test {

namespace {

constexpr int kClock = 60000;

struct Writer {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    ~Writer() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        if (format && format->pb) avio_closep(&format->pb);
        avformat_free_context(format);
    }
    bool send(const AVFrame* input) {
        if (avcodec_send_frame(codec, input) < 0) return false;
        while (avcodec_receive_packet(codec, packet) == 0) {
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(format, packet) < 0) return false;
        }
        return true;
    }
};

// Limited-range BT.601 luma and chroma of 0xAARRGGBB pixels.
void fill(AVFrame& f, const Image& image) {
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            const int r = int(p >> 16 & 0xff), g = int(p >> 8 & 0xff), b = int(p & 0xff);
            f.data[0][y * f.linesize[0] + x] =
                std::uint8_t((66 * r + 129 * g + 25 * b + 128) / 256 + 16);
            if (x % 2 || y % 2) continue;
            f.data[1][y / 2 * f.linesize[1] + x / 2] =
                std::uint8_t((-38 * r - 74 * g + 112 * b + 128) / 256 + 128);
            f.data[2][y / 2 * f.linesize[2] + x / 2] =
                std::uint8_t((112 * r - 94 * g - 18 * b + 128) / 256 + 128);
        }
}

// The upright picture as the sensor held `degrees` clockwise sees it: turned
// counterclockwise a quarter at a time.
Image stored(Image image, int degrees) {
    for (int turns = degrees / 90; turns > 0; --turns) {
        Image out{image.height, image.width, std::vector<std::uint32_t>(image.pixels.size())};
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x)
                out.pixels[std::size_t(y) * out.width + x] = image.at(image.width - 1 - y, x);
        image = std::move(out);
    }
    return image;
}

}  // namespace

bool writePhoneVideo(const std::filesystem::path& file, const std::vector<double>& times,
                     int rotation, const std::function<Image(int)>& pictureAt) {
    if (times.empty()) return false;
    const Image first = stored(pictureAt(0), rotation);
    Writer w;
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (!encoder || !w.frame || !w.packet ||
        avformat_alloc_output_context2(&w.format, nullptr, "mp4", file.c_str()) < 0)
        return false;
    w.stream = avformat_new_stream(w.format, nullptr);
    w.codec = avcodec_alloc_context3(encoder);
    if (!w.stream || !w.codec) return false;
    w.codec->width = first.width;
    w.codec->height = first.height;
    w.codec->pix_fmt = AV_PIX_FMT_YUV420P;
    w.codec->time_base = {1, kClock};
    w.codec->gop_size = 30;
    w.codec->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_GLOBAL_HEADER;
    w.codec->global_quality = FF_QP2LAMBDA * 2;
    if (avcodec_open2(w.codec, encoder, nullptr) < 0 ||
        avcodec_parameters_from_context(w.stream->codecpar, w.codec) < 0)
        return false;
    w.stream->time_base = w.codec->time_base;
    if (rotation != 0) {
        auto* matrix = reinterpret_cast<std::int32_t*>(
            av_stream_new_side_data(w.stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(std::int32_t)));
        if (!matrix) return false;
        // FFmpeg reads this matrix back as turning -rotation degrees
        // counterclockwise, and its player turns it clockwise for showing.
        av_display_rotation_set(matrix, rotation);
    }
    if (avio_open(&w.format->pb, file.c_str(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(w.format, nullptr) < 0)
        return false;
    w.frame->format = w.codec->pix_fmt;
    w.frame->width = w.codec->width;
    w.frame->height = w.codec->height;
    if (av_frame_get_buffer(w.frame, 0) < 0) return false;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (av_frame_make_writable(w.frame) < 0) return false;
        fill(*w.frame, i == 0 ? first : stored(pictureAt(int(i)), rotation));
        w.frame->pts = std::llround(times[i] * kClock);
        if (!w.send(w.frame)) return false;
    }
    return w.send(nullptr) && av_write_trailer(w.format) == 0;
}

}  // namespace tovra::author::test
