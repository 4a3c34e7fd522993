#include "demo-gen/Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "demo-gen/DataText.h"

namespace tovra::demo {

namespace {

void put(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 0xFF);
}

std::uint32_t get(const std::string& s, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= std::uint32_t(static_cast<unsigned char>(s[at + std::size_t(i)])) << (8 * i);
    return v;
}

}  // namespace

void writeWave(const std::filesystem::path& file, const Samples& samples) {
    const auto dataSize = std::uint32_t(samples.size() * 2);
    std::string out;
    out.reserve(44 + dataSize);
    out += "RIFF";
    put(out, 36 + dataSize, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2);  // PCM
    put(out, 1, 2);  // mono
    put(out, kSampleRate, 4);
    put(out, kSampleRate * 2, 4);
    put(out, 2, 2);
    put(out, 16, 2);
    out += "data";
    put(out, dataSize, 4);
    for (float s : samples) {
        const auto v = std::int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        put(out, std::uint16_t(v), 2);
    }
    saveBytes(file, out);
}

Samples readWave(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return {};
    int channels = 0, rate = 0, bits = 0;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        std::size_t size = get(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        size = std::min(size, bytes.size() - body);  // streamed output may not know its length
        if (id == "fmt " && size >= 16) {
            if (get(bytes, body, 2) != 1) return {};
            channels = int(get(bytes, body + 2, 2));
            rate = int(get(bytes, body + 4, 4));
            bits = int(get(bytes, body + 14, 2));
        } else if (id == "data" && channels > 0 && (bits == 8 || bits == 16)) {
            const int width = bits / 8 * channels;
            const std::size_t frames = size / std::size_t(width);
            Samples source(frames);
            for (std::size_t f = 0; f < frames; ++f) {
                float sum = 0;
                for (int c = 0; c < channels; ++c) {
                    const std::size_t p = body + f * std::size_t(width) + std::size_t(c * bits / 8);
                    sum += bits == 8
                               ? (float(static_cast<unsigned char>(bytes[p])) - 128.0f) / 128.0f
                               : float(std::int16_t(get(bytes, p, 2))) / 32768.0f;
                }
                source[f] = sum / float(channels);
            }
            if (rate == kSampleRate || rate <= 0) return source;
            Samples out(std::size_t(double(frames) * kSampleRate / rate));
            for (std::size_t i = 0; i < out.size(); ++i) {
                const double pos = double(i) * rate / kSampleRate;
                const auto k = std::size_t(pos);
                const double t = pos - double(k);
                const float a = source[std::min(k, frames - 1)],
                            b = source[std::min(k + 1, frames - 1)];
                out[i] = float(a + (b - a) * t);
            }
            return out;
        }
        at = body + size + (size & 1);
    }
    return {};
}

}  // namespace tovra::demo
