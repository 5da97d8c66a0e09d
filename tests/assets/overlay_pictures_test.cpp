// Tests of the effect, frame, arrow, glyph and dialog pictures: sizes, key colours, layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "assets/pictures.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kDarkRed = 0x800000;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kOlive = 0x808000;
constexpr std::uint32_t kPurple = 0x800080;

std::set<std::uint32_t> ColoursOf(const raster::Bitmap& picture) {
    std::set<std::uint32_t> colours;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            colours.insert(picture.pixel(x, y));
        }
    }
    return colours;
}

int CountOf(const raster::Bitmap& picture, std::uint32_t colour, int left, int right) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = left; x < right; ++x) {
            count += picture.pixel(x, y) == colour;
        }
    }
    return count;
}

TEST(Splash, IsABlackBlotWithRedAndDarkRedFlecksOnWhite) {
    const raster::Bitmap splash = assets::LoadPicture("splash");
    ASSERT_EQ(splash.width(), 64);
    ASSERT_EQ(splash.height(), 64);
    EXPECT_EQ(ColoursOf(splash), (std::set<std::uint32_t>{kBlack, kDarkRed, kRed, kWhite}));
    EXPECT_EQ(splash.pixel(0, 0), kWhite);
    // Drawn with its bottom centre on the point of impact: the blot sits low and central.
    EXPECT_EQ(splash.pixel(32, 50), kBlack);
}

TEST(Smoke, IsABlackDitherColumnRisingFromTheBottomEdge) {
    const raster::Bitmap smoke = assets::LoadPicture("Dim");
    ASSERT_EQ(smoke.width(), 100);
    ASSERT_EQ(smoke.height(), 100);
    EXPECT_EQ(ColoursOf(smoke), (std::set<std::uint32_t>{kBlack, kWhite}));
    int bottomBlack = 0;
    int topBlack = 0;
    for (int x = 40; x < 60; ++x) {
        bottomBlack += smoke.pixel(x, 99) == kBlack;
        topBlack += smoke.pixel(x, 2) == kBlack;
    }
    EXPECT_GT(bottomBlack, 10);
    EXPECT_LT(topBlack, bottomBlack);
    EXPECT_EQ(smoke.pixel(0, 99), kWhite);
    EXPECT_EQ(smoke.pixel(99, 99), kWhite);
}

TEST(Box, IsAYellowFrameThreeThickOnTopAndFourElsewhereOnBlack) {
    const raster::Bitmap box = assets::LoadPicture("Box");
    ASSERT_EQ(box.width(), 64);
    ASSERT_EQ(box.height(), 64);
    EXPECT_EQ(ColoursOf(box), (std::set<std::uint32_t>{kBlack, kYellow}));
    for (int i = 10; i < 54; ++i) {
        for (int depth = 0; depth < 3; ++depth) {
            EXPECT_EQ(box.pixel(i, depth), kYellow) << "top " << i;
        }
        EXPECT_EQ(box.pixel(i, 3), kBlack) << "top " << i;
        for (int depth = 0; depth < 4; ++depth) {
            EXPECT_EQ(box.pixel(i, 63 - depth), kYellow) << "bottom " << i;
            EXPECT_EQ(box.pixel(depth, i), kYellow) << "left " << i;
            EXPECT_EQ(box.pixel(63 - depth, i), kYellow) << "right " << i;
        }
        EXPECT_EQ(box.pixel(i, 59), kBlack) << "bottom " << i;
        EXPECT_EQ(box.pixel(4, i), kBlack) << "left " << i;
        EXPECT_EQ(box.pixel(59, i), kBlack) << "right " << i;
    }
}

TEST(WindArrows, AreRedOnBlackWithABlackSeeThroughCorner) {
    for (const char* name : {"Wind", "Wind_diag", "Wind_l", "Wind_diag_l"}) {
        const raster::Bitmap arrows = assets::LoadPicture(name);
        ASSERT_EQ(arrows.width(), 64) << name;
        ASSERT_EQ(arrows.height(), 128) << name;
        EXPECT_EQ(ColoursOf(arrows), (std::set<std::uint32_t>{kBlack, kRed})) << name;
        EXPECT_EQ(arrows.pixel(0, 127), kBlack) << name;
    }
    // The see-through colour comes from the bottom-left pixel even where the bottom-right
    // one is red.
    EXPECT_EQ(assets::LoadPicture("Wind_diag").pixel(63, 127), kRed);
}

TEST(WindArrows, PointTheirWay) {
    // The heads carry more red than the shafts, on the side the arrows point to.
    const raster::Bitmap right = assets::LoadPicture("Wind");
    EXPECT_GT(CountOf(right, kRed, 40, 64), CountOf(right, kRed, 0, 24));
    const raster::Bitmap left = assets::LoadPicture("Wind_l");
    EXPECT_GT(CountOf(left, kRed, 0, 24), CountOf(left, kRed, 40, 64));
    const raster::Bitmap upRight = assets::LoadPicture("Wind_diag");
    EXPECT_GT(CountOf(upRight, kRed, 48, 64), CountOf(upRight, kRed, 0, 16));
    const raster::Bitmap downLeft = assets::LoadPicture("Wind_diag_l");
    EXPECT_GT(CountOf(downLeft, kRed, 0, 16), CountOf(downLeft, kRed, 48, 64));
}

struct Glyph {
    const char* name;
    int width;
    int height;
    std::uint32_t seeThrough;
    bool twoState;
};

TEST(Glyphs, HaveTheirSizesAndSeeThroughColours) {
    const Glyph glyphs[] = {
        {"glyph_exercise_start", 17, 12, kWhite, false},
        {"glyph_exercise_exit", 36, 18, kOlive, true},
        {"glyph_exercise_confirm", 56, 28, kOlive, true},
        {"glyph_dialog_cancel", 36, 18, kOlive, true},
        {"glyph_dialog_repeat", 36, 18, kPurple, true},
        {"glyph_mode_start", 36, 18, kOlive, true},
        {"glyph_mode_exit", 20, 20, kOlive, false},
        {"dialog_bulb_lit", 32, 16, kOlive, true},
        {"dialog_bulb_unlit", 32, 16, kOlive, true},
    };
    for (const Glyph& glyph : glyphs) {
        const raster::Bitmap picture = assets::LoadPicture(glyph.name);
        EXPECT_EQ(picture.width(), glyph.width) << glyph.name;
        EXPECT_EQ(picture.height(), glyph.height) << glyph.name;
        EXPECT_EQ(picture.pixel(0, picture.height() - 1), glyph.seeThrough) << glyph.name;
        EXPECT_GT(ColoursOf(picture).size(), 2u) << glyph.name << " shows a drawing";
        if (glyph.twoState) {
            // The disabled half looks different from the normal half.
            const int half = picture.width() / 2;
            int differing = 0;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < half; ++x) {
                    differing += picture.pixel(x, y) != picture.pixel(half + x, y);
                }
            }
            EXPECT_GT(differing, 10) << glyph.name;
        }
    }
}

TEST(DialogPictures, TheLitBulbIsYellowAndTheUnlitOneIsNot) {
    const auto lit = ColoursOf(assets::LoadPicture("dialog_bulb_lit"));
    const auto unlit = ColoursOf(assets::LoadPicture("dialog_bulb_unlit"));
    EXPECT_TRUE(lit.count(kYellow));
    EXPECT_FALSE(unlit.count(kYellow));
}

TEST(DialogPictures, TheQuestionMarkIsBlueOnLightGrey) {
    const raster::Bitmap question = assets::LoadPicture("dialog_question");
    ASSERT_EQ(question.width(), 110);
    ASSERT_EQ(question.height(), 130);
    EXPECT_EQ(question.pixel(0, 0), 0xBEBEBEu);
    EXPECT_EQ(question.pixel(109, 129), 0xBEBEBEu);
    EXPECT_GT(CountOf(question, 0x0000FF, 0, 110), 1000);
}

TEST(Icons, AreSquareAtTheirTwoSizes) {
    for (const auto& [name, size] : {std::pair{"icon", 32}, std::pair{"icon_256", 256}}) {
        const raster::Bitmap icon = assets::LoadPicture(name);
        EXPECT_EQ(icon.width(), size) << name;
        EXPECT_EQ(icon.height(), size) << name;
    }
    // The small one keeps to the classic 16 colours.
    EXPECT_LE(ColoursOf(assets::LoadPicture("icon")).size(), 16u);
}

}  // namespace
