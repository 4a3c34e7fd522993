#include <gtest/gtest.h>

#include <chrono>

#include "app/OpeningMovie.h"
#include "platform/OpenAlSoundDevice.h"
#include "support/NumberedVideo.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

using namespace std::chrono_literals;

TEST(AppOpeningMovie, ShowsTheFrameDueAtTheFilesOwnRate) {
    struct Case {
        int rate;
        int atHalfSecond;
        int last;  // two seconds of pictures
    };
    test::TempDir dir;
    for (const Case c : {Case{10, 5, 19}, Case{25, 12, 49}}) {
        SCOPED_TRACE(c.rate);
        const auto file = dir / ("movie" + std::to_string(c.rate) + ".avi");
        ASSERT_TRUE(test::writeNumberedVideo(file, {"mjpeg", "avi", 1, 0, c.rate}, c.last + 1));
        OpeningMovie movie;
        ASSERT_TRUE(movie.play(file, nullptr, 1));
        EXPECT_EQ(test::readFrameNumber(movie.picture()), 0);

        EXPECT_TRUE(movie.showFrameAt(500ms));
        EXPECT_EQ(movie.shownFrame(), c.atHalfSecond);
        EXPECT_EQ(test::readFrameNumber(movie.picture()), c.atHalfSecond);
        // A drawing that comes late passes over the frames it missed, and the
        // last one stays on show.
        EXPECT_FALSE(movie.showFrameAt(1min));
        EXPECT_EQ(test::readFrameNumber(movie.picture()), c.last);
    }
}

TEST(AppOpeningMovie, PlaysItsSoundTrackUntilStopped) {
    using Status = SoundDevice::Status;
    test::TempDir dir;
    // A minute long, so that the sound still plays however slowly the test runs.
    ASSERT_TRUE(test::writeNumberedVideo(
        dir / "sound.avi", {"mjpeg", "avi", 1, 0, 1, {"pcm_s16le", 8000, {440}}}, 60));
    ASSERT_TRUE(test::writeNumberedVideo(dir / "silent.avi", {"mjpeg", "avi", 1, 0, 1}, 60));
    OpenAlSoundDevice sound;
    OpeningMovie movie;

    ASSERT_TRUE(movie.play(dir / "sound.avi", &sound, 1));
    EXPECT_EQ(sound.status(1), Status::Once);
    EXPECT_EQ(sound.status(0), Status::NotPlaying);
    movie.stop();
    EXPECT_EQ(sound.status(1), Status::NotPlaying);
    EXPECT_FALSE(movie.opened());

    // Without a sound track the pictures play alone.
    ASSERT_TRUE(movie.play(dir / "silent.avi", &sound, 1));
    EXPECT_EQ(movie.shownFrame(), 0);
    EXPECT_EQ(sound.status(1), Status::NotPlaying);
}

}  // namespace
}  // namespace tovra
