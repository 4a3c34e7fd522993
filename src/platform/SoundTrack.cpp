#include "platform/SoundTrack.h"

#include "platform/FfmpegHandles.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <memory>

namespace tovra {

namespace {

using namespace ffmpeg;
using Resampler = std::unique_ptr<SwrContext, Release<SwrContext, swr_free>>;

// Turns decoded frames of any sample format into interleaved 16-bit samples,
// set up by the first frame.
class Converter {
  public:
    ~Converter() { av_channel_layout_uninit(&layout_); }

    bool add(const AVFrame& frame) {
        if (!resampler_ && !start(frame)) return false;
        // A frame of another shape would be read past its planes.
        if (frame.format != format_ || frame.sample_rate != wave_.sampleRate ||
            frame.ch_layout.nb_channels != layout_.nb_channels)
            return true;
        return convert(const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples);
    }
    // What the resampler still holds, then the samples; nothing when there are none.
    std::optional<WaveData> finish() {
        if (!resampler_ || !convert(nullptr, 0) || wave_.samples.empty()) return std::nullopt;
        return std::move(wave_);
    }

  private:
    bool start(const AVFrame& frame) {
        if (frame.ch_layout.nb_channels <= 0 || frame.sample_rate <= 0) return false;
        if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&layout_, frame.ch_layout.nb_channels);
        else if (av_channel_layout_copy(&layout_, &frame.ch_layout) < 0)
            return false;
        format_ = frame.format;
        wave_.sampleRate = frame.sample_rate;
        wave_.channels = layout_.nb_channels == 1 ? 1 : 2;
        AVChannelLayout out{};
        av_channel_layout_default(&out, wave_.channels);
        SwrContext* raw = nullptr;
        const bool made =
            swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_S16, wave_.sampleRate, &layout_,
                                AVSampleFormat(format_), wave_.sampleRate, 0, nullptr) == 0;
        resampler_.reset(raw);
        return made && swr_init(raw) >= 0;
    }

    bool convert(const std::uint8_t** in, int count) {
        const int room = swr_get_out_samples(resampler_.get(), count);
        if (room < 0) return false;
        const std::size_t have = wave_.samples.size();
        wave_.samples.resize(have + std::size_t(room) * std::size_t(wave_.channels));
        auto* out = reinterpret_cast<std::uint8_t*>(wave_.samples.data() + have);
        const int got = swr_convert(resampler_.get(), &out, room, in, count);
        if (got < 0) return false;
        wave_.samples.resize(have + std::size_t(got) * std::size_t(wave_.channels));
        return true;
    }

    Resampler resampler_;
    AVChannelLayout layout_{};
    int format_ = -1;
    WaveData wave_;
};

// Takes every frame the decoder has ready.
bool drain(AVCodecContext& codec, AVFrame& frame, Converter& converter) {
    while (avcodec_receive_frame(&codec, &frame) == 0) {
        const bool added = converter.add(frame);
        av_frame_unref(&frame);
        if (!added) return false;
    }
    return true;
}

}  // namespace

std::optional<WaveData> readSoundTrack(const std::filesystem::path& file) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, file.c_str(), nullptr, nullptr) < 0) return std::nullopt;
    const FormatContext format(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0) return std::nullopt;
    const AVCodec* decoder = nullptr;
    const int index = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (index < 0 || !decoder) return std::nullopt;
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        if (int(i) != index) raw->streams[i]->discard = AVDISCARD_ALL;

    const CodecContext codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), raw->streams[index]->codecpar) < 0 ||
        avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return std::nullopt;
    const Packet packet(av_packet_alloc());
    const Frame frame(av_frame_alloc());
    if (!packet || !frame) return std::nullopt;
    Converter converter;
    while (av_read_frame(raw, packet.get()) >= 0) {
        if (packet->stream_index == index)
            avcodec_send_packet(codec.get(), packet.get());  // a broken packet is skipped
        av_packet_unref(packet.get());
        if (!drain(*codec, *frame, converter)) return std::nullopt;
    }
    avcodec_send_packet(codec.get(), nullptr);
    if (!drain(*codec, *frame, converter)) return std::nullopt;
    return converter.finish();
}

}  // namespace tovra
