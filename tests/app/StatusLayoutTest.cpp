#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <algorithm>

#include "app/StatusLayout.h"
#include "app/TextFont.h"

namespace tovra {
namespace {

const PlacedText* find(const StatusLayout& layout, const std::string& text) {
    const auto it = std::find_if(layout.texts.begin(), layout.texts.end(),
                                 [&](const PlacedText& t) { return t.text == text; });
    return it == layout.texts.end() ? nullptr : &*it;
}

StatusStrings sample() {
    StatusStrings s;
    s.notice = "notice";
    s.speed = "speed";
    s.reverser = "rev";
    s.mascon = "power";
    s.brake = "brake";
    s.gear = "gear";
    s.door = "door";
    s.station = "station";
    s.clock = "clock";
    s.oneMan = "oneman";
    return s;
}

TEST(AppStatusLayout, PositionsAreFractionsOfTheVideoArea) {
    const StatusLayout layout = layoutStatusTexts(sample(), 800, 600, false, false, 0);
    EXPECT_EQ(layout.shadow, 2);  // 1.6
    const PlacedText* speed = find(layout, "speed");
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->x, 640);
    EXPECT_EQ(speed->y, 504);
    EXPECT_EQ(speed->size, 16);
    const PlacedText* power = find(layout, "power");
    ASSERT_TRUE(power);
    EXPECT_EQ(power->x, 696);
    EXPECT_EQ(power->y, 552);
    EXPECT_EQ(power->size, 14);  // 13.6
    EXPECT_EQ(find(layout, "station")->y, 516);
    EXPECT_EQ(find(layout, "clock")->x, 8);
    // Not a one-man route: no one-man text; no protection lines while empty.
    EXPECT_FALSE(find(layout, "oneman"));
    EXPECT_EQ(layout.texts.size(), 9u);

    // Top message: centred by the width of the pass before, 5 % down.
    const PlacedText* notice = find(layout, "notice");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->x, 400);
    EXPECT_EQ(notice->y, 30);
    EXPECT_EQ(notice->size, 12);
    EXPECT_EQ(find(layoutStatusTexts(sample(), 800, 600, false, false, 121), "notice")->x, 340);
}

TEST(AppStatusLayout, CentringRoundsHalvesToEven) {
    // round(400.5) = 400 and round(61.5) = 62.
    const StatusLayout layout = layoutStatusTexts(sample(), 801, 600, false, false, 123);
    EXPECT_EQ(find(layout, "notice")->x, 338);
}

TEST(AppStatusLayout, TextModeKeepsOnlyTheTopMessageLow) {
    const StatusLayout layout = layoutStatusTexts(sample(), 800, 600, false, true, 0);
    ASSERT_EQ(layout.texts.size(), 1u);
    EXPECT_EQ(layout.texts[0].text, "notice");
    EXPECT_EQ(layout.texts[0].y, 540);
    // Information on: the commentary is not drawn.
    EXPECT_TRUE(layoutStatusTexts(sample(), 800, 600, true, true, 0).texts.empty());
    EXPECT_FALSE(find(layoutStatusTexts(sample(), 800, 600, true, false, 0), "notice"));
}

TEST(AppStatusLayout, MessageLinesStackUpwardsAndOneManTextOnOneManRoutes) {
    StatusStrings s = sample();
    s.message2 = "second";
    s.protection = "limit";
    s.protection2 = "limit2";
    s.oneManRoute = true;
    StatusLayout layout = layoutStatusTexts(s, 800, 600, false, false, 0);
    // Only the second message line: one step up from 0.8 H.
    EXPECT_EQ(find(layout, "second")->y, 480 - 36);
    EXPECT_EQ(find(layout, "limit")->y, 468);
    EXPECT_EQ(find(layout, "limit2")->y, 432);
    EXPECT_EQ(find(layout, "limit")->x, 560);
    EXPECT_EQ(find(layout, "oneman")->x, 120);
    s.message = "first";
    layout = layoutStatusTexts(s, 800, 600, false, false, 0);
    EXPECT_EQ(find(layout, "first")->y, 444);
    EXPECT_EQ(find(layout, "second")->y, 408);
    EXPECT_EQ(find(layout, "first")->x, 8);
}

// A text longer than the room left on the picture is shrunk whole, just
// enough; one that fits keeps its size.
TEST(AppStatusLayout, LongTextsShrinkToTheirRoom) {
    QImage surface(800, 450, QImage::Format_RGB32);
    const QString longText = "85 km/h check in 1250m, then 45 km/h check in 2300m";
    const double wide = QFontMetricsF(statusFont(14.0), &surface).horizontalAdvance(longText);
    ASSERT_GT(wide, 240);
    const QFont fitted = fittedStatusFont(longText, 14, 240, &surface);
    const double width = QFontMetricsF(fitted, &surface).horizontalAdvance(longText);
    EXPECT_LE(width, 240);
    EXPECT_GT(width, 200);
    EXPECT_LT(fitted.pointSizeF(), 14);
    EXPECT_EQ(fittedStatusFont("Now at A", 14, 240, &surface).pointSizeF(), 14);
}

}  // namespace
}  // namespace tovra
