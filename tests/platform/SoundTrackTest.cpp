#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/SoundTrack.h"
#include "support/NumberedVideo.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

// Whole periods per second between the first and the last rising zero
// crossing of one channel: the frequency of a tone. A crossing counts only
// after a fall to a quarter of the tone's amplitude below zero, so that a
// lossy codec's noise around zero adds none.
double frequency(const WaveData& wave, int channel) {
    const auto step = std::size_t(wave.channels);
    int crossings = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    bool low = false;
    for (std::size_t i = std::size_t(channel); i < wave.samples.size(); i += step) {
        if (wave.samples[i] < -4096) low = true;
        if (low && wave.samples[i] >= 0) {
            low = false;
            if (crossings++ == 0) first = i;
            last = i;
        }
    }
    return crossings > 1
               ? (crossings - 1) * double(wave.sampleRate) * double(step) / double(last - first)
               : 0;
}

struct Track {
    std::string name;
    test::ToneTrack tone;
    int channels;     // after decoding
    int lengthSlack;  // samples a lossy codec may add
    double leftHertz;
    double rightHertz;  // when stereo
};

void PrintTo(const Track& track, std::ostream* out) {
    *out << track.name;
}

class SoundTrack : public ::testing::TestWithParam<Track> {};

// One second of pictures at 10 a second, with one second of sound.
TEST_P(SoundTrack, DecodesOneSecondOfToneAtItsOwnRate) {
    const Track& track = GetParam();
    test::TempDir dir;
    const auto file = dir / "movie.avi";
    ASSERT_TRUE(test::writeNumberedVideo(file, {"mjpeg", "avi", 1, 0, 10, track.tone}, 10));
    const auto wave = readSoundTrack(file);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->sampleRate, track.tone.sampleRate);
    ASSERT_EQ(wave->channels, track.channels);
    EXPECT_GE(int(wave->frames()), track.tone.sampleRate);
    EXPECT_LE(int(wave->frames()), track.tone.sampleRate + track.lengthSlack);
    EXPECT_NEAR(frequency(*wave, 0), track.leftHertz, 0.5);
    if (track.channels == 2) {
        EXPECT_NEAR(frequency(*wave, 1), track.rightHertz, 0.5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, SoundTrack,
    ::testing::Values(Track{"stereo_pcm", {"pcm_s16le", 22050, {440, 660}}, 2, 0, 440, 660},
                      Track{"mono_pcm", {"pcm_s16le", 8000, {440}}, 1, 0, 440, 0},
                      // Decoded to planar samples.
                      Track{"stereo_mp2", {"mp2", 44100, {440, 660}}, 2, 1152, 440, 660},
                      Track{"six_channels_pcm",
                            {"pcm_s16le", 22050, {440, 440, 440, 440, 440, 440}},
                            2,
                            0,
                            440,
                            440}),
    [](const ::testing::TestParamInfo<Track>& info) { return info.param.name; });

TEST(SoundTrackFile, WithoutASoundTrackThereIsNothing) {
    test::TempDir dir;
    ASSERT_TRUE(test::writeNumberedVideo(dir / "silent.avi", {"mjpeg", "avi", 1, 0, 10}, 5));
    EXPECT_FALSE(readSoundTrack(dir / "silent.avi"));
    EXPECT_FALSE(readSoundTrack(dir.writeBytes("text.avi", "not a movie")));
    EXPECT_FALSE(readSoundTrack(dir / "missing.avi"));
}

}  // namespace
}  // namespace tovra
