#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "NumberedVideo.h"
#include "platform/FfmpegVideoSource.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

using test::readFrameNumber;
using test::VideoRecipe;

constexpr int kFrames = 75;  // two and a half groups of 30

class FfmpegVideoSourceTest : public ::testing::TestWithParam<VideoRecipe> {
  protected:
    void SetUp() override {
        file_ = dir_ / ("numbered." + GetParam().container);
        if (!test::writeNumberedVideo(file_, GetParam(), kFrames))
            GTEST_SKIP() << "FFmpeg cannot write " << GetParam().codec << " in "
                         << GetParam().container;
        ASSERT_TRUE(video_.open(file_));
    }

    // The number each requested frame shows, in request order.
    std::vector<int> shown(const std::vector<int>& requests) {
        std::vector<int> numbers;
        for (const int n : requests) {
            Image picture;
            numbers.push_back(video_.frame(n, picture) ? readFrameNumber(picture) : -2);
        }
        return numbers;
    }

    test::TempDir dir_;
    std::filesystem::path file_;
    FfmpegVideoSource video_;
};

std::vector<int> range(int from, int to, int step) {
    std::vector<int> list;
    for (int n = from; step > 0 ? n < to : n > to; n += step) list.push_back(n);
    return list;
}

TEST_P(FfmpegVideoSourceTest, GivesEveryFrameByItsNumberInAnyOrder) {
    EXPECT_EQ(video_.frameCount(), kFrames);

    const std::vector<int> forward = range(0, kFrames, 1);
    EXPECT_EQ(shown(forward), forward);

    const std::vector<int> backward = range(kFrames - 1, -1, -1);
    EXPECT_EQ(shown(backward), backward);

    // Skipping frames as a fast train does, across key frames.
    const std::vector<int> skipping = range(3, kFrames, 4);
    EXPECT_EQ(shown(skipping), skipping);

    std::mt19937 random(7);
    std::vector<int> jumps(60);
    for (int& n : jumps) n = int(random() % kFrames);
    jumps.insert(jumps.end(), {29, 30, 31, 30, 29, 59, 60, 74, 0, 74});
    EXPECT_EQ(shown(jumps), jumps);
}

TEST_P(FfmpegVideoSourceTest, PicturesAreOpaqueSurfacePixels) {
    Image picture;
    ASSERT_TRUE(video_.frame(5, picture));
    EXPECT_EQ(picture.width, test::kNumberedWidth);
    EXPECT_EQ(picture.height, test::kNumberedHeight);
    ASSERT_EQ(picture.pixels.size(), std::size_t(picture.width * picture.height));
    // Frame 5 = bits 0 and 2: white, black, white blocks along the top row.
    EXPECT_EQ(picture.at(40, 30) & 0xFFF0F0F0u, 0xFFF0F0F0u);
    EXPECT_EQ(picture.at(120, 30) & 0xFFF0F0F0u, 0xFF000000u);
    EXPECT_EQ(picture.at(200, 30) & 0xFFF0F0F0u, 0xFFF0F0F0u);
    EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(),
                            [](std::uint32_t p) { return p >> 24 == 0xFF; }));
}

TEST_P(FfmpegVideoSourceTest, FrameOutsideTheFileKeepsTheLastPicture) {
    Image picture;
    ASSERT_TRUE(video_.frame(12, picture));
    const Image before = picture;
    EXPECT_FALSE(video_.frame(-1, picture));
    EXPECT_FALSE(video_.frame(kFrames, picture));
    EXPECT_FALSE(video_.frame(kFrames + 500, picture));
    EXPECT_EQ(picture.pixels, before.pixels);
    EXPECT_EQ(readFrameNumber(picture), 12);
}

TEST_P(FfmpegVideoSourceTest, PreparesTheNextFramesWhileOneIsShown) {
    Image picture;
    ASSERT_TRUE(video_.frame(40, picture));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!(video_.prepared(41) && video_.prepared(42)) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(video_.prepared(41));
    EXPECT_TRUE(video_.prepared(42));

    // Running backwards, the frame behind is prepared instead.
    ASSERT_TRUE(video_.frame(39, picture));
    const auto back = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!video_.prepared(38) && std::chrono::steady_clock::now() < back)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(video_.prepared(38));
    ASSERT_TRUE(video_.frame(38, picture));
    EXPECT_EQ(readFrameNumber(picture), 38);
}

INSTANTIATE_TEST_SUITE_P(Codecs, FfmpegVideoSourceTest,
                         ::testing::Values(VideoRecipe{"mjpeg", "avi", 1, 0},
                                           VideoRecipe{"mpeg4", "avi", 30, 0},
                                           VideoRecipe{"mpeg4", "avi", 30, 2},
                                           VideoRecipe{"libx264", "avi", 30, 2},
                                           VideoRecipe{"mpeg4", "matroska", 30, 2}),
                         [](const auto& info) {
                             const VideoRecipe& r = info.param;
                             return r.codec + "_" + r.container + "_gop" +
                                    std::to_string(r.keyFrameInterval) + "_b" +
                                    std::to_string(r.bFrames);
                         });

// Cinepak encodes slowly: a few frames prove the codec.
TEST(FfmpegVideoSource, ReadsCinepak) {
    test::TempDir dir;
    const auto file = dir / "cinepak.avi";
    if (!test::writeNumberedVideo(file, {"cinepak", "avi", 4, 0}, 6))
        GTEST_SKIP() << "no Cinepak encoder";
    FfmpegVideoSource video;
    ASSERT_TRUE(video.open(file));
    EXPECT_EQ(video.frameCount(), 6);
    for (const int n : {0, 1, 5, 2, 4, 3}) {
        Image picture;
        ASSERT_TRUE(video.frame(n, picture));
        EXPECT_EQ(readFrameNumber(picture), n);
    }
}

TEST(FfmpegVideoSource, ReportsFilesThatAreNoVideo) {
    test::TempDir dir;
    FfmpegVideoSource video;
    EXPECT_FALSE(video.open(dir / "missing.avi"));
    EXPECT_FALSE(video.open(dir.writeBytes("text.avi", "RIFF....AVI LIST not really a video")));
    EXPECT_EQ(video.frameCount(), 0);
    Image picture;
    EXPECT_FALSE(video.frame(0, picture));
}

TEST(FfmpegVideoSource, SwitchesFilesWhileTheWorkerIsBusy) {
    test::TempDir dir;
    const auto first = dir / "first.avi";
    const auto second = dir / "second.avi";
    ASSERT_TRUE(test::writeNumberedVideo(first, {"mpeg4", "avi", 30, 0}, 60));
    ASSERT_TRUE(test::writeNumberedVideo(second, {"mjpeg", "avi", 1, 0}, 20));
    FfmpegVideoSource video;
    Image picture;
    ASSERT_TRUE(video.open(first));
    ASSERT_TRUE(video.frame(58, picture));
    ASSERT_TRUE(video.open(second));  // while frames 59 and 60 may be on the way
    EXPECT_EQ(video.frameCount(), 20);
    ASSERT_TRUE(video.frame(1, picture));
    EXPECT_EQ(readFrameNumber(picture), 1);
    video.close();
    EXPECT_EQ(video.frameCount(), 0);
    EXPECT_FALSE(video.frame(1, picture));
    ASSERT_TRUE(video.open(first));
    ASSERT_TRUE(video.frame(59, picture));
    EXPECT_EQ(readFrameNumber(picture), 59);
}

}  // namespace
}  // namespace tovra
