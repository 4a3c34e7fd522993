#include <gtest/gtest.h>

#include <QPainter>
#include <memory>

#include "app/CabSurface.h"
#include "view/CabPictures.h"
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

// The route's wayside pictures lie among the sprites: over the signs, under
// anything deeper.
TEST(AppSurfaceWayside, PicturesLieJustAboveTheSigns) {
    SpriteModel sprites;
    sprites.add(named("sign", picture(20, 20, [](int, int) { return kRed; })), 100, 100,
                kSignDepth);
    sprites.add(named("sub", picture(20, 20, [](int, int) { return kGreen; })), 110, 100,
                kSignDepth + 1);
    Image light{30, 10, std::vector<std::uint32_t>(300, 0xFF0000FFu)};
    light.pixels[9 * 30] = kKey;  // the bottom-left pixel names the transparent colour
    Scene scene;
    scene.videoWidth = 800;
    scene.videoHeight = 450;
    for (const Sprite* s : sprites.drawOrder())
        scene.sprites.push_back({s->picture, 0, s->x, s->y, s->width, s->height, 0, s->depth});
    scene.wayside.pictures = {{&light, 95, 105}};
    CabSurface surface;
    DrawState state;
    surface.draw(scene, sprites, state, surface.everywhere());
    const auto at = [&](int x, int y) { return surface.image().pixel(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(at(97, 108), 0x0000FFu);
    EXPECT_EQ(at(105, 108), 0x0000FFu);  // over the sign
    EXPECT_EQ(at(115, 108), 0x00FF00u);  // under the deeper sprite
    EXPECT_EQ(at(105, 118), 0xFF0000u);
}

// A pass that redraws only what changed leaves the same pixels as one that
// redraws everything, and leaves alone what did not change: at the layout's
// own size and scaled.
class AppSurfaceChanges : public testing::TestWithParam<double> {};

TEST_P(AppSurfaceChanges, DrawingTheChangesGivesTheWholePicture) {
    const double scale = GetParam();
    SpriteModel sprites;
    sprites.add(named("needle", picture(41, 41,
                                        [](int x, int y) {
                                            return x >= 20 && y >= 19 && y <= 21 ? kRed : kKey;
                                        })),
                300, 600, 2, true);
    sprites.add(
        named("lamp", picture(10, 20, [](int, int y) { return y < 10 ? kGreen : kRed; }), 10), 700,
        40, 1);
    Image video;
    video.width = 800;
    video.height = 450;
    video.pixels.assign(std::size_t(800 * 450), 0xFF336699);

    Scene first;
    first.picture = &video;
    first.pictureVersion = 1;
    first.videoWidth = 800;
    first.videoHeight = 450;
    first.texts = {2, {{"29.9 km/h", 600, 400, 18}}};
    first.sprites = {{0, 0, 300, 600, 41, 41, 10}, {1, 0, 700, 40, 10, 10, 0}};
    first.clockX = 500;
    first.clockY = 600;
    first.clockHands = {{{25, 5}}, {{40, 25}}};

    Scene panel = first;  // the needle turns, the lamp changes, the clock goes on
    panel.sprites[0].angle = 40;
    panel.sprites[1].patternIndex = 1;
    panel.clockHands[1] = {{25, 45}};
    Scene moving = panel;  // a new video picture and a new speed
    moving.pictureVersion = 2;
    moving.texts.texts[0].text = "30.0 km/h";

    const QRegion everything(0, 0, CabSurface::kWidth, CabSurface::kHeight);
    CabSurface surface;
    surface.setScale(scale);
    DrawState state;
    const auto drawnWhole = [&](const Scene& scene) {
        CabSurface whole;
        whole.setScale(scale);
        whole.draw(scene, sprites, state, everything);
        return whole.image();
    };
    const auto at = [&](int x, int y) {
        return surface.image().pixel(surface.shown(QRect(x, y, 1, 1)).center()) & 0xFFFFFF;
    };
    surface.draw(first, sprites, state, everything);
    const QRegion panelChanges = surface.changes(first, panel);
    EXPECT_FALSE(panelChanges.contains(QPoint(100, 100)));  // the video stays
    EXPECT_FALSE(panelChanges.contains(QPoint(100, 700)));
    surface.draw(panel, sprites, state, panelChanges);
    EXPECT_EQ(surface.image(), drawnWhole(panel));

    video.pixels.assign(video.pixels.size(), 0xFF996633);
    const QRegion videoChanges = surface.changes(panel, moving);
    EXPECT_FALSE(videoChanges.contains(QPoint(320, 620)));  // the needle stays
    surface.draw(moving, sprites, state, videoChanges);
    EXPECT_EQ(surface.image(), drawnWhole(moving));
    // The changes showed: the lamp's second pattern and the new video colour.
    EXPECT_EQ(at(705, 45), 0xFF0000u);
    EXPECT_EQ(at(100, 100), 0x996633u);
}

INSTANTIATE_TEST_SUITE_P(Scales, AppSurfaceChanges, testing::Values(1.0, 1.5, 2.37, 0.8),
                         [](const auto& info) {
                             return "x" + std::to_string(int(info.param * 100));
                         });

// Scaled, the surface is the layout that many times as large: the video
// fills the video area, a sprite its scaled rectangle, the texts are set in
// fonts of the scaled size.
TEST(AppSurfaceScale, EverythingGrowsWithTheScale) {
    SpriteModel sprites;
    sprites.add(named("lamp", picture(10, 10, [](int, int) { return kGreen; })), 100, 500, 1);
    Image video;
    video.width = 800;
    video.height = 450;
    video.pixels.assign(std::size_t(800 * 450), 0xFF102030);
    Scene scene;
    scene.picture = &video;
    scene.pictureVersion = 1;
    scene.videoWidth = 800;
    scene.videoHeight = 450;
    scene.texts = {2, {{"10:00:00", 100, 100, 14}}};
    scene.sprites = {{0, 0, 100, 500, 10, 10, 0, 1}};

    // The white text's height in pixels, and the surface.
    const auto drawn = [&](double scale) {
        CabSurface surface;
        surface.setScale(scale);
        DrawState state;
        surface.draw(scene, sprites, state, surface.everywhere());
        int top = surface.image().height(), bottom = -1;
        for (int y = 0; y < surface.image().height(); ++y)
            for (int x = 0; x < surface.image().width(); ++x)
                if ((surface.image().pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return std::pair{bottom - top + 1, surface.image()};
    };
    const auto [ownHeight, own] = drawn(1);
    const auto [textHeight, image] = drawn(2.5);
    EXPECT_EQ(image.size(), QSize(2000, 1900));
    EXPECT_EQ(image.pixel(1990, 1120) & 0xFFFFFF, 0x102030u);  // the video to its corner
    EXPECT_EQ(image.pixel(1990, 1130) & 0xFFFFFF, 0u);         // the panel's black below it
    EXPECT_EQ(image.pixel(251, 1251) & 0xFFFFFF, 0x00FF00u);  // the lamp, 25 x 25 pixels
    EXPECT_EQ(image.pixel(274, 1274) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(276, 1276) & 0xFFFFFF, 0u);
    // Glyphs of a font 2.5 times as large, not a picture of the small ones.
    EXPECT_NEAR(textHeight, ownHeight * 2.5, ownHeight * 0.3);
}

}  // namespace
}  // namespace tovra
