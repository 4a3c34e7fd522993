#include "platform/VideoDecoder.h"

#include "platform/FfmpegHandles.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace tovra {

namespace {

// Native-endian 32-bit ARGB: 0xAARRGGBB as a std::uint32_t on every machine.
constexpr AVPixelFormat kSurfaceFormat = AV_PIX_FMT_RGB32;
// Without a key-frame index, a jump this far ahead seeks instead of decoding on.
constexpr int kBlindForwardLimit = 60;
constexpr int kSeekAttempts = 4;
constexpr int kScalerRowAlign = 64;  // bytes

using namespace ffmpeg;

struct FreeScaler {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};

// The full-range formats of JPEG-based codecs are plain YUV with a range flag
// for the scaler (which would otherwise warn about them on every frame).
AVPixelFormat plainFormat(AVPixelFormat format, bool& fullRange) {
    switch (format) {
        case AV_PIX_FMT_YUVJ420P:
            fullRange = true;
            return AV_PIX_FMT_YUV420P;
        case AV_PIX_FMT_YUVJ422P:
            fullRange = true;
            return AV_PIX_FMT_YUV422P;
        case AV_PIX_FMT_YUVJ444P:
            fullRange = true;
            return AV_PIX_FMT_YUV444P;
        case AV_PIX_FMT_YUVJ440P:
            fullRange = true;
            return AV_PIX_FMT_YUV440P;
        case AV_PIX_FMT_YUVJ411P:
            fullRange = true;
            return AV_PIX_FMT_YUV411P;
        default:
            return format;
    }
}

struct ScalerKey {
    int width = 0;
    int height = 0;
    AVPixelFormat format = AV_PIX_FMT_NONE;
    bool fullRange = false;
    int colorspace = 0;
    int outWidth = 0;
    int outHeight = 0;
    bool operator==(const ScalerKey&) const = default;
};

int scalerFlags(int width, int height, int outWidth, int outHeight) {
    const std::string_view name = pictureScalingFilter(width, height, outWidth, outHeight);
    return name == "area" ? SWS_AREA : name == "bicubic" ? SWS_BICUBIC : SWS_BILINEAR;
}

AVDiscard loopFilterDiscard(int width, int height, int outWidth, int outHeight) {
    const std::string_view name = loopFilterSkipped(width, height, outWidth, outHeight);
    return name == "bidir" ? AVDISCARD_BIDIR : AVDISCARD_DEFAULT;
}

}  // namespace

const char* pictureScalingFilter(int width, int height, int outWidth, int outHeight) {
    // At the file's size only the colours are converted.
    if (outWidth == width && outHeight == height) return "bilinear";
    const std::int64_t in = std::int64_t(width) * height;
    const std::int64_t out = std::int64_t(outWidth) * outHeight;
    // Shrinking to half or less: each pixel the mean of the source pixels it
    // covers, which does not alias and costs the least of the filters that
    // do not (a 1080p or 2160p picture to 800 x 450 in about 70 % of the
    // time of bilinear, 40 % of bicubic).
    if (4 * out <= in) return "area";
    // Shrinking less: libswscale's bilinear widens with the step, so it does
    // not alias either, and costs less than "area" there (1080p to the
    // 1214 x 683 of a full 1920 x 1200 screen: 75 %).
    if (out < in) return "bilinear";
    // Enlarging a small film: bicubic keeps its edges best.
    return "bicubic";
}

const char* loopFilterSkipped(int width, int height, int outWidth, int outHeight) {
    if (outWidth <= 0 || outHeight <= 0) return "default";
    const std::int64_t in = std::int64_t(width) * height;
    const std::int64_t out = std::int64_t(outWidth) * outHeight;
    // The filter smooths the edges of the codec's blocks, a few pixels on
    // either side, and costs about a sixth of an H.264 picture's decoding.
    // Shown at half the area or less, the scaler averages those pixels
    // anyway: without the filter on the B-pictures, which only other
    // B-pictures are predicted from, 1080p shown at 800 x 450 or 1214 x 683
    // stays within 58 dB of the filtered picture. Leaving out the P-pictures'
    // too spreads the error over the whole group (38 dB).
    if (2 * out <= in) return "bidir";
    return "default";
}

struct VideoDecoder::Stream {
    FormatContext format;
    CodecContext codec;
    Packet packet{av_packet_alloc()};
    // `shown` is the picture last handed out; `next` one decoded past it.
    Frame shown{av_frame_alloc()};
    Frame next{av_frame_alloc()};
    int shownNumber = -1;
    int nextNumber = -1;
    int lastNumber = -1;  // for pictures without a timestamp
    std::int64_t decoded = 0;
    bool draining = false;
    bool ended = false;

    int index = -1;
    AVStream* video = nullptr;
    AVRational rate{30, 1};
    // Frame 0 is the first picture out of the decoder, whatever its timestamp
    // (AVI with B-frames gives pictures the timestamps of later packets).
    std::int64_t firstTimestamp = 0;
    // The packet timestamps of seeks and of the index start here.
    std::int64_t seekOrigin = 0;
    // Frames by which the index, which keeps decoding timestamps, numbers the
    // key frames too low (streams with B-frames).
    int decodeLead = 0;
    int count = 0;

    std::unique_ptr<SwsContext, FreeScaler> scaler;
    ScalerKey scalerKey;
    std::vector<std::uint8_t> wide;  // rows of a width libswscale cannot write exactly

    std::int64_t durationOf(int n) const {
        return av_rescale_q(n, av_inv_q(rate), video->time_base);
    }
    int framesIn(std::int64_t duration) const {
        return int(av_rescale_q_rnd(duration, video->time_base, av_inv_q(rate), AV_ROUND_NEAR_INF));
    }

    int countFrames() const {
        std::int64_t frames = 0;
        if (video->duration != AV_NOPTS_VALUE && video->duration > 0)
            frames = framesIn(video->duration);
        else if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
            frames = av_rescale_q_rnd(format->duration, AV_TIME_BASE_Q, av_inv_q(rate),
                                      AV_ROUND_NEAR_INF);
        // A stream of variable rate (a phone's) holds fewer pictures than its
        // time has numbers; the stored count is kept unless the time says
        // more than the last picture's own duration can explain.
        if (video->nb_frames > 0 && frames <= video->nb_frames + 1) frames = video->nb_frames;
        return int(std::clamp<std::int64_t>(frames, 0, INT32_MAX));
    }

    // The key frame at or before n according to the container's index; -1 when
    // the index does not say.
    int keyFrameBefore(int n) const {
        const auto key = indexedKey(n - decodeLead);
        return key && *key + decodeLead <= n ? *key + decodeLead : -1;
    }
    // The index's number for the key frame at or before its number n.
    std::optional<int> indexedKey(int n) const {
        const AVIndexEntry* entry = avformat_index_get_entry_from_timestamp(
            video, seekOrigin + durationOf(n), AVSEEK_FLAG_BACKWARD);
        if (!entry) return std::nullopt;
        return framesIn(entry->timestamp - seekOrigin);
    }

    // Whether decoding on from the current place reaches n at least as fast as
    // seeking to its key frame would.
    bool reachable(int n) const {
        if (shownNumber < 0 && nextNumber < 0) return false;
        if (n < shownNumber || (ended && nextNumber < 0)) return false;
        const int upcoming = nextNumber >= 0 ? nextNumber : shownNumber + 1;
        if (n < upcoming) return true;
        const int key = keyFrameBefore(n);
        return key >= 0 ? key <= upcoming : n - upcoming < kBlindForwardLimit;
    }

    bool seek(int n) {
        AVFormatContext* f = format.get();
        const bool placed =
            av_seek_frame(f, index, seekOrigin + durationOf(n), AVSEEK_FLAG_BACKWARD) >= 0 ||
            av_seek_frame(f, index, seekOrigin, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) >= 0;
        if (!placed) return false;
        avcodec_flush_buffers(codec.get());
        av_frame_unref(shown.get());
        av_frame_unref(next.get());
        shownNumber = nextNumber = lastNumber = -1;
        draining = ended = false;
        return true;
    }

    // Hands the decoder the next packet of the stream, or the end of it.
    void feed() {
        if (draining) {
            ended = true;
            return;
        }
        while (av_read_frame(format.get(), packet.get()) >= 0) {
            const bool ours = packet->stream_index == index;
            if (ours) avcodec_send_packet(codec.get(), packet.get());  // a broken packet is skipped
            av_packet_unref(packet.get());
            if (ours) return;
        }
        avcodec_send_packet(codec.get(), nullptr);
        draining = true;
    }

    // Decodes the picture after `shown` into `next`; false at the end.
    bool decodeNext() {
        if (nextNumber >= 0) return true;
        while (!ended) {
            const int result = avcodec_receive_frame(codec.get(), next.get());
            if (result == 0) {
                ++decoded;
                const std::int64_t ts = next->best_effort_timestamp;
                nextNumber = ts == AV_NOPTS_VALUE ? lastNumber + 1 : framesIn(ts - firstTimestamp);
                lastNumber = nextNumber;
                return true;
            }
            if (result == AVERROR_EOF)
                ended = true;
            else
                feed();
        }
        return false;
    }

    // False when `abandon` said so before n was reached.
    bool advanceTo(int n, const std::function<bool()>& abandon) {
        while (shownNumber != n && decodeNext() && nextNumber <= n) {
            std::swap(shown, next);
            av_frame_unref(next.get());
            shownNumber = std::exchange(nextNumber, -1);
            if (shownNumber < n && abandon && abandon()) return false;
        }
        return true;
    }

    // The picture on show, scaled to width x height (0: its own size) in the
    // same step that converts its colours.
    bool convert(Image& out, int width, int height) {
        const AVFrame& f = *shown;
        bool fullRange = f.color_range == AVCOL_RANGE_JPEG;
        const AVPixelFormat source = plainFormat(AVPixelFormat(f.format), fullRange);
        const int outWidth = width > 0 && height > 0 ? width : f.width;
        const int outHeight = width > 0 && height > 0 ? height : f.height;
        const ScalerKey key{f.width,           f.height, source,   fullRange,
                            int(f.colorspace), outWidth, outHeight};
        if (!scaler || !(key == scalerKey)) {
            scaler.reset(sws_getContext(
                f.width, f.height, source, outWidth, outHeight, kSurfaceFormat,
                scalerFlags(f.width, f.height, outWidth, outHeight), nullptr, nullptr, nullptr));
            if (!scaler) return false;
            const int colorspace =
                f.colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT : int(f.colorspace);
            sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(colorspace), fullRange,
                                     sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
            scalerKey = key;
        }
        out.width = outWidth;
        out.height = outHeight;
        out.pixels.resize(std::size_t(outWidth) * std::size_t(outHeight));
        // libswscale writes whole blocks of 16 pixels: a row of another
        // width is scaled into a wider one and copied.
        const int rowBytes = outWidth * 4;
        const int wideBytes = (rowBytes + kScalerRowAlign - 1) / kScalerRowAlign * kScalerRowAlign;
        auto* pixels = reinterpret_cast<std::uint8_t*>(out.pixels.data());
        if (wideBytes != rowBytes) wide.resize(std::size_t(wideBytes) * std::size_t(outHeight));
        std::uint8_t* const target[4] = {wideBytes == rowBytes ? pixels : wide.data()};
        const int stride[4] = {wideBytes};
        sws_scale(scaler.get(), f.data, f.linesize, 0, f.height, target, stride);
        if (wideBytes != rowBytes)
            for (int y = 0; y < outHeight; ++y)
                std::memcpy(pixels + std::size_t(y) * rowBytes,
                            wide.data() + std::size_t(y) * wideBytes, std::size_t(rowBytes));
        return true;
    }
};

VideoDecoder::VideoDecoder() = default;
VideoDecoder::~VideoDecoder() = default;

bool VideoDecoder::open(const std::filesystem::path& file) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_ERROR); });
    close();
    auto s = std::make_unique<Stream>();
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, file.c_str(), nullptr, nullptr) < 0) return false;
    s->format.reset(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) return false;
    const AVCodec* decoder = nullptr;
    s->index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (s->index < 0 || !decoder) return false;
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        if (int(i) != s->index) raw->streams[i]->discard = AVDISCARD_ALL;
    s->video = raw->streams[s->index];

    s->codec.reset(avcodec_alloc_context3(decoder));
    if (!s->codec || avcodec_parameters_to_context(s->codec.get(), s->video->codecpar) < 0)
        return false;
    // One decoding thread a core: FFmpeg's own choice, one more, makes the
    // threads of a frame-threaded decoder wait on each other (a fifth slower
    // on two cores) and a jump's first picture later.
    s->codec->thread_count = int(std::max(1u, std::thread::hardware_concurrency()));
    if (avcodec_open2(s->codec.get(), decoder, nullptr) < 0) return false;

    const AVRational guessed = av_guess_frame_rate(raw, s->video, nullptr);
    if (guessed.num > 0 && guessed.den > 0) s->rate = guessed;
    s->count = s->countFrames();
    if (s->count <= 0 || !s->packet || !s->shown || !s->next) return false;
    if (s->video->start_time != AV_NOPTS_VALUE) s->seekOrigin = s->video->start_time;

    // The first picture fixes where the numbering starts and proves the stream decodes.
    s->firstTimestamp = s->seekOrigin;
    if (!s->decodeNext()) return false;
    if (s->next->best_effort_timestamp != AV_NOPTS_VALUE) {
        s->firstTimestamp = s->next->best_effort_timestamp;
        s->seekOrigin = std::min(s->seekOrigin, s->firstTimestamp);
    }
    // Frame 0 is a key frame.
    if (const auto first = s->indexedKey(0)) s->decodeLead = std::max(0, -*first);
    s->nextNumber = s->lastNumber = 0;
    stream_ = std::move(s);
    return true;
}

void VideoDecoder::close() {
    stream_.reset();
}

int VideoDecoder::frameCount() const {
    return stream_ ? stream_->count : 0;
}

double VideoDecoder::frameRate() const {
    return stream_ ? av_q2d(stream_->rate) : 0;
}

int VideoDecoder::keyFrameAtOrBefore(int n) const {
    return stream_ && n >= 0 && n < stream_->count ? stream_->keyFrameBefore(n) : -1;
}

void VideoDecoder::setPictureSize(int width, int height) {
    const bool own = width <= 0 || height <= 0;
    width_ = own ? 0 : width;
    height_ = own ? 0 : height;
}

std::int64_t VideoDecoder::picturesDecoded() const {
    return stream_ ? stream_->decoded : 0;
}

bool VideoDecoder::decode(int n, Image& out) {
    Stream* s = stream_.get();
    if (!s || n < 0 || n >= s->count) return false;
    // Read by the codec's threads with the next packet it is given.
    s->codec->skip_loop_filter =
        loopFilterDiscard(s->codec->width, s->codec->height, width_, height_);
    int target = n;
    for (int attempt = 0; attempt < kSeekAttempts; ++attempt) {
        if ((attempt > 0 || !s->reachable(n)) && !s->seek(target)) return false;
        if (!s->advanceTo(n, abandon)) return false;
        if (s->shownNumber >= 0) return s->convert(out, width_, height_);
        if (s->nextNumber < 0) return false;
        // The seek landed past n (pictures that lead a key frame, or a coarse
        // index): go back one key frame more, and at last to the start.
        target = attempt + 2 < kSeekAttempts ? std::max(0, std::min(target, s->nextNumber) - 1) : 0;
    }
    return false;
}

}  // namespace tovra
