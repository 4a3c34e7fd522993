#include "support/SilentWave.h"

namespace tovra::test {

namespace {

std::string le32(std::uint32_t v) {
    return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

}  // namespace

std::string silentWave(double seconds, std::uint32_t rate) {
    const auto samples = std::uint32_t(rate * seconds);
    std::string wave = "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16);
    wave += std::string{1, 0, 1, 0} + le32(rate) + le32(rate);  // PCM, mono; byte rate at 28
    wave += std::string{1, 0, 8, 0};                            // 8-bit
    return wave + "data" + le32(samples) + std::string(samples, char(0x80));  // size at 40
}

}  // namespace tovra::test
