#include "support/NumberedVideo.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cmath>
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

void paint(AVFrame& frame, int number, bool textured) {
    const bool rgb = frame.format == AV_PIX_FMT_RGB24;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const bool white = bitAt(number, x * kNumberedWidth / frame.width,
                                     y * kNumberedHeight / frame.height);
            const int grain = textured ? (x * 7 + y * 13 + (x ^ y)) % 48 : 0;
            const auto value = std::uint8_t(white ? 255 - grain : grain);
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

// One stream of the file with its encoder and the frame it is fed.
struct Track {
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = av_frame_alloc();

    ~Track() {
        av_frame_free(&frame);
        avcodec_free_context(&codec);
    }
};

struct Encoder {
    AVFormatContext* format = nullptr;
    Track video;
    Track sound;
    AVPacket* packet = av_packet_alloc();

    ~Encoder() {
        av_packet_free(&packet);
        if (format && format->pb) avio_closep(&format->pb);
        avformat_free_context(format);
    }

    // A stream with a fresh encoder context, for the caller to set up.
    bool add(Track& t, const AVCodec& encoder) {
        t.stream = avformat_new_stream(format, nullptr);
        t.codec = avcodec_alloc_context3(&encoder);
        return t.stream && t.codec && t.frame;
    }

    bool open(Track& t) {
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            t.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(t.codec, t.codec->codec, nullptr) < 0) return false;
        if (avcodec_parameters_from_context(t.stream->codecpar, t.codec) < 0) return false;
        t.stream->time_base = t.codec->time_base;
        return true;
    }

    // Sends one frame (or the end, with nullptr) and writes what comes out.
    bool send(Track& t, const AVFrame* input) {
        if (avcodec_send_frame(t.codec, input) < 0) return false;
        while (avcodec_receive_packet(t.codec, packet) == 0) {
            // Lets containers that keep a duration count the last picture.
            if (&t == &video) packet->duration = 1;
            av_packet_rescale_ts(packet, t.codec->time_base, t.stream->time_base);
            packet->stream_index = t.stream->index;
            if (av_interleaved_write_frame(format, packet) < 0) return false;
        }
        return true;
    }
};

bool addPictures(Encoder& e, const VideoRecipe& recipe) {
    const AVCodec* encoder = avcodec_find_encoder_by_name(recipe.codec.c_str());
    if (!encoder || !e.add(e.video, *encoder)) return false;
    AVCodecContext& c = *e.video.codec;
    c.width = recipe.width;
    c.height = recipe.height;
    c.time_base = {1, recipe.frameRate};
    c.framerate = {recipe.frameRate, 1};
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
    if (!e.open(e.video)) return false;
    AVFrame& f = *e.video.frame;
    f.format = c.pix_fmt;
    f.width = c.width;
    f.height = c.height;
    return av_frame_get_buffer(&f, 0) >= 0;
}

bool addSound(Encoder& e, const ToneTrack& tone) {
    const AVCodec* encoder = avcodec_find_encoder_by_name(tone.codec.c_str());
    if (!encoder || !e.add(e.sound, *encoder)) return false;
    AVCodecContext& c = *e.sound.codec;
    c.sample_fmt = AV_SAMPLE_FMT_S16;
    c.sample_rate = tone.sampleRate;
    c.time_base = {1, tone.sampleRate};
    av_channel_layout_default(&c.ch_layout, int(tone.hertz.size()));
    if (!e.open(e.sound)) return false;
    AVFrame& f = *e.sound.frame;
    f.format = c.sample_fmt;
    f.sample_rate = c.sample_rate;
    f.nb_samples = c.frame_size > 0 ? c.frame_size : 1024;
    return av_channel_layout_copy(&f.ch_layout, &c.ch_layout) >= 0 &&
           av_frame_get_buffer(&f, 0) >= 0;
}

// Writes the tone on from sample `written` up to `until`, in the encoder's frames.
bool writeTone(Encoder& e, const ToneTrack& tone, std::int64_t& written, std::int64_t until) {
    AVFrame& f = *e.sound.frame;
    const int full = e.sound.codec->frame_size > 0 ? e.sound.codec->frame_size : f.nb_samples;
    const bool anySize = e.sound.codec->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
    const int channels = int(tone.hertz.size());
    while (written < until) {
        if (av_frame_make_writable(&f) < 0) return false;
        f.nb_samples = anySize ? int(std::min<std::int64_t>(full, until - written)) : full;
        auto* samples = reinterpret_cast<std::int16_t*>(f.data[0]);
        for (int i = 0; i < f.nb_samples; ++i) {
            const double t = double(written + i) / tone.sampleRate;
            for (int c = 0; c < channels; ++c)
                samples[i * channels + c] =
                    std::int16_t(std::lround(16384 * std::sin(2 * M_PI * tone.hertz[c] * t)));
        }
        f.pts = written;
        written += f.nb_samples;
        if (!e.send(e.sound, &f)) return false;
    }
    return true;
}

}  // namespace

bool writeNumberedVideo(const std::filesystem::path& file, const VideoRecipe& recipe, int frames) {
    Encoder e;
    if (!e.packet) return false;
    if (avformat_alloc_output_context2(&e.format, nullptr, recipe.container.c_str(), file.c_str()) <
        0)
        return false;
    const ToneTrack& tone = recipe.sound;
    const bool sound = !tone.codec.empty();
    if (!addPictures(e, recipe) || (sound && !addSound(e, tone))) return false;
    if (avio_open(&e.format->pb, file.c_str(), AVIO_FLAG_WRITE) < 0) return false;
    if (avformat_write_header(e.format, nullptr) < 0) return false;

    std::int64_t written = 0;
    for (int n = 0; n < frames; ++n) {
        if (av_frame_make_writable(e.video.frame) < 0) return false;
        paint(*e.video.frame, recipe.firstNumber + n, recipe.textured);
        e.video.frame->pts = n;
        if (!e.send(e.video, e.video.frame)) return false;
        const std::int64_t until = std::int64_t(n + 1) * tone.sampleRate / recipe.frameRate;
        if (sound && !writeTone(e, tone, written, until)) return false;
    }
    return e.send(e.video, nullptr) && (!sound || e.send(e.sound, nullptr)) &&
           av_write_trailer(e.format) == 0;
}

int readFrameNumber(const Image& picture) {
    if (picture.empty()) return -1;
    int number = 0;
    for (int bit = 0; bit < kBits; ++bit) {
        // The block centres, wherever a picture of another size puts them.
        const int x = (bit % kColumns * kBlockWidth + kBlockWidth / 2) * picture.width /
                      kNumberedWidth;
        const int y = (bit / kColumns * kBlockHeight + kBlockHeight / 2) * picture.height /
                      kNumberedHeight;
        const int green = int(picture.at(x, y) >> 8 & 0xFF);
        if (green > 192)
            number |= 1 << bit;
        else if (green >= 64)
            return -1;
    }
    return number;
}

}  // namespace tovra::test
