#include <gtest/gtest.h>

#include "common/Currency.h"
#include "common/DataPath.h"
#include "common/Geometry.h"
#include "common/TextCodec.h"
#include "common/WaveHeader.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

TEST(Rounding, TwoRulesForHalves) {
    EXPECT_EQ(roundHalfAway(2.5L), 3);
    EXPECT_EQ(roundHalfAway(-2.5L), -3);
    EXPECT_EQ(roundHalfAway(0.5L), 1);
    EXPECT_EQ(roundHalfAway(-0.5L), -1);
    EXPECT_EQ(roundHalfAway(3.5L), 4);  // where the even neighbour is already away
    EXPECT_EQ(roundHalfAway(-3.5L), -4);
    EXPECT_EQ(roundHalfAway(std::nextafter(2.5L, 0.0L)), 2);
    EXPECT_EQ(roundHalfAway(std::nextafter(-2.5L, 0.0L)), -2);
    EXPECT_EQ(roundHalfAway(0x1p62L + 0.5L), 4611686018427387905);
    EXPECT_EQ(roundHalfAway(-0.25L), 0);
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(3.5L), 4);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    EXPECT_EQ(roundHalfEven(2.6L), 3);
}

TEST(Currency, RoundsOnEveryStoreAndReachesZero) {
    Currency c = 1.23455L;
    EXPECT_EQ(c.raw(), 12346);  // nearest; the binary value lies above the half
    c = 0.00005L;
    EXPECT_EQ(c.raw(), 0);
    c = 0.00015L;
    EXPECT_EQ(c.raw(), 2);
    // A step below half a ten-thousandth changes nothing; one above it lands
    // exactly on 0, not on a tiny remainder.
    Currency p = 0.0001L;
    p -= 0.00004L;
    EXPECT_EQ(p.raw(), 1);
    p -= 0.00006L;
    EXPECT_EQ(p.raw(), 0);
    EXPECT_EQ(Extended(p), 0.0L);
    Currency q = 10;
    q *= 0.5L;
    EXPECT_EQ(q.raw(), 50000);
    q /= 3;
    EXPECT_EQ(q.raw(), 16667);
    EXPECT_TRUE(Currency(1.5L) > Currency(1.4999L));
}

TEST(ReleaseSlowdown, MatchesItsFormula) {
    EXPECT_DOUBLE_EQ(double(releaseSlowdown(2, 0)), 11.0);
    EXPECT_DOUBLE_EQ(double(releaseSlowdown(2, 10)), 6.0);
    EXPECT_DOUBLE_EQ(double(releaseSlowdown(10, 20)), 1.1);
}

TEST(NeedleEnd, RoundsBothAxes) {
    EXPECT_EQ(needleEnd(100, 100, 50, 0), (Point{150, 100}));
    EXPECT_EQ(needleEnd(100, 100, 50, 3.14159265358979323846L / 2), (Point{100, 50}));
    EXPECT_EQ(needleEnd(0, 0, 5, 3.14159265358979323846L), (Point{-5, 0}));
}

TEST(TextCodec, Cp932BeyondShiftJis) {
    // FULLWIDTH TILDE, CIRCLED DIGIT ONE, the 髙 variant, half-width KA.
    const std::string bytes = "\x81\x60\x87\x40\xFB\xFC\xB6";
    EXPECT_EQ(cp932ToUtf8(bytes), "～①髙ｶ");
    EXPECT_EQ(utf8ToCp932("～①髙ｶ"), bytes);
    EXPECT_EQ(decodeDataText("\xEF\xBB\xBF駅"), "駅");
    // An invalid byte becomes U+FFFD and the rest of the line survives.
    EXPECT_EQ(cp932ToUtf8("a\x80"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(cp932ToUtf8("\x82"), "\xEF\xBF\xBD");       // lead byte cut off at the end
    EXPECT_EQ(utf8ToCp932("a\xF0\x9F\x9A\x83z"), "a?z");  // no CP932 form
}

TEST(DataPath, BackslashesAndLetterCase) {
    test::TempDir dir;
    dir.writeBytes("Image/Panel.BMP", "x");
    EXPECT_EQ(resolveDataPath(dir.path(), "Image\\Panel.BMP"), dir / "Image/Panel.BMP");
    EXPECT_EQ(resolveDataPath(dir.path(), "image\\panel.bmp"), dir / "Image/Panel.BMP");
    EXPECT_EQ(resolveDataPath(dir.path(), "image\\none.bmp"), dir / "image/none.bmp");

    // A route's video: the AVI first, then the other containers, by letter case too.
    dir.writeBytes("Movie/down.MP4", "x");
    dir.writeBytes("Movie/down.mkv", "x");
    EXPECT_EQ(videoDataPath(dir.path(), "movie\\down"), "movie\\down.mp4");
    dir.writeBytes("Movie/down.avi", "x");
    EXPECT_EQ(videoDataPath(dir.path(), "movie\\down"), "movie\\down.avi");
    dir.writeBytes("Movie/up.mov", "x");
    EXPECT_EQ(videoDataPath(dir.path(), "movie\\up"), "movie\\up.mov");
    EXPECT_EQ(videoDataPath(dir.path(), "movie\\none"), "movie\\none.avi");
}

TEST(WaveHeader, WholeSecondsFromTheCanonicalHeader) {
    test::TempDir dir;
    std::string header(44, '\0');
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + std::size_t(i)] = char(v >> (8 * i));
    };
    put32(28, 22050);          // byte rate
    put32(40, 22050 * 5 / 2);  // 2.5 s of data
    EXPECT_EQ(waveSeconds(dir.writeBytes("a.wav", header)), 2);
    EXPECT_EQ(waveSeconds(dir.writeBytes("short.wav", "RIFF")), 0);
    put32(28, 0);
    EXPECT_EQ(waveSeconds(dir.writeBytes("zero.wav", header)), 0);
    EXPECT_EQ(waveSeconds(dir / "missing.wav"), 0);
}

}  // namespace
}  // namespace tovra
