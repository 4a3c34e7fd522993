#include "common/WaveHeader.h"

#include <cstdint>
#include <fstream>

namespace tovra {

namespace {

std::uint32_t littleEndian32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

}  // namespace

int waveSeconds(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char header[44];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return 0;
    const std::uint32_t byteRate = littleEndian32(header + 28);
    const std::uint32_t dataSize = littleEndian32(header + 40);
    return byteRate == 0 ? 0 : static_cast<int>(dataSize / byteRate);
}

}  // namespace tovra
