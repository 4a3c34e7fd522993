#pragma once

#include <filesystem>
#include <vector>

#include "support/TempDir.h"

namespace tovra::test {

// A sine tone written with libsndfile. `format` is a libsndfile subtype
// (SF_FORMAT_PCM_16, SF_FORMAT_PCM_U8, ...); every channel carries the tone.
void writeTone(const std::filesystem::path& file, int format, int sampleRate, int channels,
               double seconds, double frequency, double amplitude);

// OpenAL reads its configuration once per process, so every sound test calls
// this first: the whole process then mixes into the wave writer's file, mono
// float at 44100 Hz, rewritten by every device that opens.
class WaveOutput {
  public:
    static WaveOutput& instance();
    const std::filesystem::path& mixFile() const { return mixFile_; }
    // Without its folder the wave writer cannot open, as a missing sound card.
    void setAvailable(bool available) const;

  private:
    WaveOutput();
    TempDir dir_;
    std::filesystem::path mixFile_;
};

// The sound between the first and the last sample above a tenth of the loudest.
struct Burst {
    double seconds = 0;
    double frequency = 0;  // from the zero crossings
    double amplitude = 0;  // peak, from the RMS of the middle half
};
Burst measureBurst(const std::filesystem::path& mix);

}  // namespace tovra::test
