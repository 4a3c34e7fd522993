#include <gtest/gtest.h>

#include <sndfile.h>

#include <algorithm>
#include <cmath>

#include "SoundFiles.h"
#include "platform/WaveFile.h"

namespace tovra {
namespace {

int peak(const WaveData& wave) {
    int most = 0;
    for (const std::int16_t s : wave.samples) most = std::max(most, std::abs(int(s)));
    return most;
}

TEST(WaveFile, ReadsPcmOfEightAndSixteenBits) {
    test::TempDir dir;
    test::writeTone(dir / "u8.wav", SF_FORMAT_PCM_U8, 11025, 1, 0.5, 440, 0.5);
    const auto narrow = readWaveFile(dir / "u8.wav");
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow->sampleRate, 11025);
    EXPECT_EQ(narrow->channels, 1);
    EXPECT_EQ(narrow->frames(), 5513u);
    EXPECT_EQ(narrow->samples[0], 0);  // the unsigned middle, 128, is silence
    EXPECT_NEAR(peak(*narrow), 16384, 300);

    test::writeTone(dir / "s16.wav", SF_FORMAT_PCM_16, 22050, 2, 0.25, 440, 0.25);
    const auto stereo = readWaveFile(dir / "s16.wav");
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->sampleRate, 22050);
    EXPECT_EQ(stereo->channels, 2);
    EXPECT_EQ(stereo->frames(), 5513u);
    EXPECT_NEAR(peak(*stereo), 8192, 20);
}

TEST(WaveFile, MixesMoreThanTwoChannelsDownToOne) {
    test::TempDir dir;
    test::writeTone(dir / "quad.wav", SF_FORMAT_FLOAT, 8000, 4, 0.1, 200, 0.75);
    const auto wave = readWaveFile(dir / "quad.wav");
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->frames(), 800u);
    EXPECT_NEAR(peak(*wave), 24576, 40);
}

TEST(WaveFile, UnreadableFilesGiveNothing) {
    test::TempDir dir;
    EXPECT_FALSE(readWaveFile(dir / "missing.wav"));
    EXPECT_FALSE(readWaveFile(dir.writeBytes("text.wav", "just some text, not a sound")));
    EXPECT_FALSE(readWaveFile(dir.writeBytes("riff.wav", "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0")));
}

}  // namespace
}  // namespace tovra
