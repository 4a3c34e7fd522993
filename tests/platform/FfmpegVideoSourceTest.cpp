#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include <condition_variable>
#include <mutex>

#include "platform/FfmpegVideoSource.h"
#include "platform/VideoDecoder.h"
#include "support/NumberedVideo.h"
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

// Polls for up to 20 s.
template <typename Condition>
bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return condition();
}

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
    EXPECT_TRUE(eventually([&] { return video_.prepared(41) && video_.prepared(42); }));

    // Running backwards, the frame behind is prepared instead.
    ASSERT_TRUE(video_.frame(39, picture));
    EXPECT_TRUE(eventually([&] { return video_.prepared(38); }));
    ASSERT_TRUE(video_.frame(38, picture));
    EXPECT_EQ(readFrameNumber(picture), 38);
}

// The worker hands each picture over at the size it is shown: smaller or
// larger than the file's, and the file's own again.
TEST_P(FfmpegVideoSourceTest, ScalesThePicturesToTheSizeShown) {
    for (const auto& [width, height] : {std::pair{160, 90}, {640, 480}, {0, 0}}) {
        video_.setPictureSize(width, height);
        for (const int n : {7, 8, 40, 3}) {
            Image picture;
            ASSERT_TRUE(video_.frame(n, picture));
            EXPECT_EQ(picture.width, width > 0 ? width : test::kNumberedWidth);
            EXPECT_EQ(picture.height, height > 0 ? height : test::kNumberedHeight);
            EXPECT_EQ(readFrameNumber(picture), n) << width << " x " << height;
        }
    }
}

// The loop filter is left out only where the scaler averages over the edges
// it would smooth: at the file's own size, and at a full screen's picture
// close to it, every picture keeps it.
TEST(VideoDecoder, KeepsTheLoopFilterUnlessThePictureShrinksToHalfItsArea) {
    EXPECT_STREQ(loopFilterSkipped(1920, 1080, 1920, 1080), "default");
    EXPECT_STREQ(loopFilterSkipped(1920, 1080, 0, 0), "default");
    EXPECT_STREQ(loopFilterSkipped(1920, 1080, 1600, 900), "default");  // 69 % of the area
    EXPECT_STREQ(loopFilterSkipped(800, 450, 1920, 1080), "default");
    EXPECT_STREQ(loopFilterSkipped(1920, 1080, 1358, 764), "default");  // 50.03 %
    EXPECT_STREQ(loopFilterSkipped(1920, 1080, 1357, 763), "bidir");    // 49.93 %
    EXPECT_STREQ(loopFilterSkipped(1920, 1080, 1214, 683), "bidir");
    EXPECT_STREQ(loopFilterSkipped(3840, 2160, 800, 450), "bidir");
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

// A key frame every 60 pictures, run through backwards with room for 40.
TEST(FfmpegVideoSource, ServesALongGroupBackwardsFromABoundedCache) {
    test::TempDir dir;
    const auto file = dir / "long.mp4";
    if (!test::writeNumberedVideo(file, {"libx264", "mp4", 60, 2}, 180))
        GTEST_SKIP() << "FFmpeg cannot write H.264 in MP4";
    auto decoder = std::make_unique<VideoDecoder>();
    const VideoDecoder& decoded = *decoder;
    const std::size_t pictureBytes = std::size_t{test::kNumberedWidth} * test::kNumberedHeight * 4;
    FfmpegVideoSource video(40 * pictureBytes, std::move(decoder));
    ASSERT_TRUE(video.open(file));
    ASSERT_EQ(video.frameCount(), 180);

    std::vector<int> numbers;
    std::size_t mostCached = 0;
    for (int n = 179; n >= 0; --n) {
        Image picture;
        numbers.push_back(video.frame(n, picture) ? readFrameNumber(picture) : -2);
        mostCached = std::max(mostCached, video.cachedFrames().size());
    }
    EXPECT_EQ(numbers, range(179, -1, -1));
    EXPECT_LE(mostCached, 40u);
    // The frames passed last stay, the farthest went first.
    EXPECT_EQ(video.cachedFrames(), range(0, 40, 1));
    // Runs of 20 decoded from below cost about two pictures a frame; one
    // picture at a time from its key frame would cost some 30.
    EXPECT_LE(decoded.picturesDecoded(), 3 * 180);
}

// Decodes nothing until the test lets it, one picture at a time: a decoder
// as slow as one likes. A key frame every 50; a frame ahead in the same group
// is decoded on, any other from its key frame.
class GatedDecoder : public FrameDecoder {
  public:
    bool open(const std::filesystem::path&) override { return true; }
    void close() override {}
    int frameCount() const override { return 100; }
    double frameRate() const override { return 30; }
    int keyFrameAtOrBefore(int n) const override { return n - n % 50; }
    bool decode(int n, Image& out) override {
        const int key = keyFrameAtOrBefore(n);
        for (int picture = position_ >= key && position_ < n ? position_ + 1 : key;; ++picture) {
            std::unique_lock lock(mutex_);
            gate_.wait(lock, [&] { return allowed_ > 0; });
            --allowed_;
            ++passed_;
            position_ = picture;
            if (picture == n) break;
            lock.unlock();
            if (abandon && abandon()) return false;
        }
        out.width = out.height = 1;
        out.pixels.assign(1, std::uint32_t(n));
        return true;
    }
    void allow(int pictures) {
        {
            const std::lock_guard lock(mutex_);
            allowed_ += pictures;
        }
        gate_.notify_all();
    }
    int passed() {
        const std::lock_guard lock(mutex_);
        return passed_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable gate_;
    int allowed_ = 0;
    int passed_ = 0;
    int position_ = -1;
};

TEST(FfmpegVideoSource, TheCallerNeverWaitsForAPendingFrame) {
    auto gated = std::make_unique<GatedDecoder>();
    GatedDecoder& decoder = *gated;
    FfmpegVideoSource video(FfmpegVideoSource::kDefaultCacheBytes, std::move(gated));
    int ready = 0;
    video.onFrameReady = [&] { ++ready; };
    ASSERT_TRUE(video.open("any"));

    // Nothing decoded: every drawing pass goes on with what it has.
    std::shared_ptr<const Image> shown;
    for (int pass = 0; pass < 50; ++pass) EXPECT_EQ(video.fetch(10, -1, shown), -1);
    EXPECT_FALSE(shown);

    decoder.allow(11);  // frames 0 to 10
    Image picture;
    ASSERT_TRUE(video.frame(10, picture));
    EXPECT_EQ(picture.pixels, std::vector<std::uint32_t>{10});
    EXPECT_EQ(ready, 1);  // the pass that missed frame 10 hears of it

    // A jump while the decoder is stuck shows the nearest picture at once.
    EXPECT_EQ(video.fetch(70, -1, shown), 10);
    EXPECT_EQ(shown->pixels, std::vector<std::uint32_t>{10});
    const auto held = std::make_shared<const Image>();
    shown = held;
    EXPECT_EQ(video.fetch(70, 10, shown), 10);  // already held: left as it is
    EXPECT_EQ(shown, held);
    EXPECT_EQ(video.fetch(100, 10, shown), -1);  // outside the file

    decoder.allow(1000);  // lets the worker finish before the source goes
    ASSERT_TRUE(video.frame(70, picture));
    EXPECT_EQ(video.fetch(70, 10, shown), 70);
    EXPECT_EQ(shown->pixels, std::vector<std::uint32_t>{70});
}

// The cache hands out its pictures; one still on show is never decoded into,
// even after the cache has let it go.
TEST(FfmpegVideoSource, APictureOnShowOutlivesItsPlaceInTheCache) {
    auto gated = std::make_unique<GatedDecoder>();
    GatedDecoder& decoder = *gated;
    FfmpegVideoSource video(FrameCache::kMinimumFrames * sizeof(std::uint32_t), std::move(gated));
    ASSERT_TRUE(video.open("any"));
    decoder.allow(1000);
    Image picture;
    ASSERT_TRUE(video.frame(10, picture));
    std::shared_ptr<const Image> shown;
    ASSERT_EQ(video.fetch(10, -1, shown), 10);
    for (int n = 11; n < 40; ++n) ASSERT_TRUE(video.frame(n, picture));
    EXPECT_FALSE(video.prepared(10));
    EXPECT_EQ(shown->pixels, std::vector<std::uint32_t>{10});
}

// A new size lets the cached pictures go and brings the frame on show again
// at that size, telling the caller; the picture it holds stays as it was.
TEST(FfmpegVideoSource, ANewSizeBringsTheFrameOnShowAgain) {
    test::TempDir dir;
    const auto file = dir.path() / "numbered.avi";
    ASSERT_TRUE(test::writeNumberedVideo(file, VideoRecipe{"mpeg4", "avi", 30, 0}, 40));
    FfmpegVideoSource video;
    std::atomic<int> ready = 0;
    video.onFrameReady = [&] { ++ready; };
    ASSERT_TRUE(video.open(file));
    std::shared_ptr<const Image> shown;
    ASSERT_TRUE(eventually([&] { return video.fetch(12, -1, shown) == 12; }));
    const std::shared_ptr<const Image> before = shown;
    ASSERT_EQ(before->width, test::kNumberedWidth);

    const int heard = ready;
    video.setPictureSize(200, 150);
    EXPECT_FALSE(video.prepared(12));
    EXPECT_TRUE(eventually([&] { return ready > heard; }));
    ASSERT_EQ(video.fetch(12, -1, shown), 12);
    EXPECT_EQ(shown->width, 200);
    EXPECT_EQ(shown->height, 150);
    EXPECT_EQ(readFrameNumber(*shown), 12);
    EXPECT_EQ(before->width, test::kNumberedWidth);
    EXPECT_EQ(readFrameNumber(*before), 12);

    // Across files: the size belongs to the source.
    ASSERT_TRUE(video.open(file));
    Image picture;
    ASSERT_TRUE(video.frame(30, picture));
    EXPECT_EQ(picture.width, 200);
    EXPECT_EQ(readFrameNumber(picture), 30);
}

// Running forward the cache keeps only the frames ahead and a few behind;
// running backwards it fills its budget again.
TEST(FfmpegVideoSource, RunningForwardKeepsFewPictures) {
    auto gated = std::make_unique<GatedDecoder>();
    GatedDecoder& decoder = *gated;
    FfmpegVideoSource video(FfmpegVideoSource::kDefaultCacheBytes, std::move(gated));
    ASSERT_TRUE(video.open("any"));
    decoder.allow(100000);
    Image picture;
    for (int n = 0; n < 60; ++n) ASSERT_TRUE(video.frame(n, picture));
    EXPECT_TRUE(eventually([&] { return video.prepared(65); }));
    std::vector<int> kept = video.cachedFrames();
    EXPECT_LE(kept.size(), 15u);
    EXPECT_EQ(kept.back(), 65);   // the frames ahead
    EXPECT_GE(kept.front(), 51);  // and the last ones passed
    for (int n = 59; n >= 20; --n) ASSERT_TRUE(video.frame(n, picture));
    EXPECT_GT(video.cachedFrames().size(), 30u);
}

TEST(FfmpegVideoSource, AJumpAbandonsTheDecodeOnItsWay) {
    auto gated = std::make_unique<GatedDecoder>();
    GatedDecoder& decoder = *gated;
    FfmpegVideoSource video(FfmpegVideoSource::kDefaultCacheBytes, std::move(gated));
    ASSERT_TRUE(video.open("any"));
    std::shared_ptr<const Image> picture;
    video.fetch(48, -1, picture);  // 49 pictures from key frame 0
    decoder.allow(10);
    ASSERT_TRUE(eventually([&] { return decoder.passed() == 10; }));

    video.fetch(60, -1, picture);
    // The picture under way, then 50 to 60 from their key frame; finishing
    // frame 48 first would take 38 more.
    decoder.allow(1 + 11);
    EXPECT_TRUE(eventually([&] { return video.prepared(60); }));
    EXPECT_FALSE(video.prepared(48));
    decoder.allow(1000);  // lets the worker finish before the source goes
}

}  // namespace
}  // namespace tovra
