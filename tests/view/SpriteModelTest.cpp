#include "view/SpriteModel.h"

#include <gtest/gtest.h>

namespace tovra {
namespace {

Picture named(const char* name) {
    Picture picture;
    picture.name = name;
    return picture;
}

TEST(SpriteModel, FindsTheFirstSpriteOfANameInAnyCase) {
    SpriteModel sprites;
    sprites.add(named("img_Panel"), 0, 0, 1);
    sprites.add(named("img_Needle_BC"), 10, 0, 2);
    sprites.add(named("IMG_needle_bc"), 20, 0, 3);  // a second of the same name

    ASSERT_NE(sprites.find("img_needle_bc"), nullptr);
    EXPECT_EQ(sprites.find("img_needle_bc")->x, 10);
    EXPECT_EQ(sprites.find("IMG_NEEDLE_BC"), &sprites.sprites()[1]);
    EXPECT_EQ(sprites.find("img_panel"), &sprites.sprites()[0]);
    EXPECT_EQ(sprites.find("img_Needle"), nullptr);
    EXPECT_EQ(sprites.find("img_Needle_BCx"), nullptr);

    // The panel's own sprites are found without a name, by the same rules.
    EXPECT_EQ(sprites.find(PanelSprite::NeedleBC), &sprites.sprites()[1]);
    EXPECT_EQ(sprites.find(PanelSprite::NeedleBP), nullptr);

    sprites.clear();
    EXPECT_EQ(sprites.find("img_panel"), nullptr);
    EXPECT_EQ(sprites.find(PanelSprite::NeedleBC), nullptr);
    sprites.add(named("img_needle_bc"), 30, 0, 1);
    ASSERT_NE(sprites.find("Img_Needle_BC"), nullptr);
    EXPECT_EQ(sprites.find("Img_Needle_BC")->x, 30);
    EXPECT_EQ(sprites.find(PanelSprite::NeedleBC)->x, 30);
}

TEST(SpriteModel, EveryPanelSpriteHasANameOfItsOwn) {
    for (std::size_t k = 0; k < kPanelSpriteCount; ++k) {
        const auto sprite = PanelSprite(k);
        EXPECT_EQ(panelSpriteNamed(panelSpriteName(sprite)), sprite) << panelSpriteName(sprite);
    }
    EXPECT_EQ(panelSpriteNamed("IMG_LAMP_P2"), PanelSprite::PowerHandle2);
    EXPECT_EQ(panelSpriteNamed("img_other0"), std::nullopt);
}

}  // namespace
}  // namespace tovra
