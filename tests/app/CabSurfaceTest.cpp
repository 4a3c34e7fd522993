#include <gtest/gtest.h>

#include <QPainter>
#include <memory>

#include "app/CabSurface.h"
#include "view/SpriteModel.h"

namespace tovra {
namespace {

constexpr std::uint32_t kKey = 0xFFFF00FF;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;

std::shared_ptr<const Image> picture(int w, int h, std::uint32_t (*colour)(int x, int y)) {
    auto image = std::make_shared<Image>();
    image->width = w;
    image->height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image->pixels.push_back(colour(x, y));
    return image;
}

Picture named(const char* name, std::shared_ptr<const Image> image, int patternHeight = 0) {
    Picture p;
    p.name = name;
    p.image = std::move(image);
    p.transparentColour = kKey;
    p.patternHeight = patternHeight;
    p.patternWidth = patternHeight > 0 ? p.image->width : 0;
    return p;
}

class AppSurfaceSprites : public testing::Test {
  protected:
    void draw() {
        target.fill(Qt::white);
        QPainter painter(&target);
        surface.drawSprites(painter, sprites);
    }
    QRgb at(int x, int y) const { return target.pixel(x, y) & 0xFFFFFF; }

    CabSurface surface;
    SpriteModel sprites;
    QImage target{400, 400, QImage::Format_ARGB32_Premultiplied};
};

TEST_F(AppSurfaceSprites, TransparentColourShowsWhatLiesBelow) {
    sprites.add(named("half", picture(10, 10, [](int x, int) { return x < 5 ? kRed : kKey; })), 100,
                100, 1);
    draw();
    EXPECT_EQ(at(102, 105), 0xFF0000u);
    EXPECT_EQ(at(107, 105), 0xFFFFFFu);
    sprites.find("half")->visible = false;
    draw();
    EXPECT_EQ(at(102, 105), 0xFFFFFFu);
}

TEST_F(AppSurfaceSprites, RotatesClockwiseAboutItsCentreIn256Steps) {
    // A bar from the centre to the right edge.
    sprites.add(named("needle", picture(21, 21,
                                        [](int x, int y) {
                                            return x >= 10 && y >= 9 && y <= 11 ? kRed : kKey;
                                        })),
                200, 200, 1, true);
    draw();
    EXPECT_EQ(at(218, 210), 0xFF0000u);
    EXPECT_EQ(at(210, 218), 0xFFFFFFu);
    sprites.find("needle")->angle = 64;  // a quarter turn: the bar points down
    draw();
    EXPECT_EQ(at(210, 218), 0xFF0000u);
    EXPECT_EQ(at(218, 210), 0xFFFFFFu);
    EXPECT_EQ(at(202, 210), 0xFFFFFFu);
    sprites.find("needle")->angle = 128;  // half a turn: left
    draw();
    EXPECT_EQ(at(202, 210), 0xFF0000u);
    EXPECT_EQ(at(218, 210), 0xFFFFFFu);
}

TEST_F(AppSurfaceSprites, PatternsAndDepthOrder) {
    // Two patterns one below the other: green, then red.
    sprites.add(
        named("lamp", picture(10, 20, [](int, int y) { return y < 10 ? kGreen : kRed; }), 10), 50,
        50, 5);
    draw();
    EXPECT_EQ(at(55, 55), 0x00FF00u);
    EXPECT_EQ(at(55, 65), 0xFFFFFFu);  // only one pattern's height is drawn
    sprites.find("lamp")->patternIndex = 1;
    draw();
    EXPECT_EQ(at(55, 55), 0xFF0000u);
    sprites.find("lamp")->patternIndex = 2;  // past the last pattern: nothing
    draw();
    EXPECT_EQ(at(55, 55), 0xFFFFFFu);

    // A later sprite of lower depth lies below the lamp.
    sprites.find("lamp")->patternIndex = 0;
    sprites.add(named("below", picture(30, 30, [](int, int) { return kRed; })), 40, 40, 1);
    draw();
    EXPECT_EQ(at(55, 55), 0x00FF00u);
    EXPECT_EQ(at(42, 42), 0xFF0000u);
}

}  // namespace
}  // namespace tovra
