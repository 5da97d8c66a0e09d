// Tests that the landscape and the reticle keep the layout the sight and the shot model use.
#include <gtest/gtest.h>

#include <cstdint>

#include "assets/pictures.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

struct AverageColour {
    double red = 0;
    double green = 0;
    double blue = 0;
};

AverageColour Average(const raster::Bitmap& picture, int left, int top, int right, int bottom) {
    AverageColour sum;
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t rgb = picture.pixel(x, y);
            sum.red += (rgb >> 16) & 0xFF;
            sum.green += (rgb >> 8) & 0xFF;
            sum.blue += rgb & 0xFF;
            ++count;
        }
    }
    return {sum.red / count, sum.green / count, sum.blue / count};
}

TEST(Landscape, IsTheFullSizeSceneWithoutPureWhite) {
    const raster::Bitmap landscape = assets::LoadPicture("Image1");
    ASSERT_EQ(landscape.width(), 1152);
    ASSERT_EQ(landscape.height(), 864);
    int white = 0;
    for (int y = 0; y < landscape.height(); ++y) {
        for (int x = 0; x < landscape.width(); ++x) {
            white += landscape.pixel(x, y) == kWhite;
        }
    }
    // A white pixel would vanish wherever a sprite is keyed onto the scene.
    EXPECT_EQ(white, 0);
}

TEST(Landscape, HasABluishGreySkyAboveTheTreeLine) {
    const raster::Bitmap landscape = assets::LoadPicture("Image1");
    for (int top = 0; top < 340; top += 40) {
        const AverageColour band = Average(landscape, 0, top, 1152, top + 5);
        EXPECT_GE(band.blue, band.green) << "rows from " << top;
        EXPECT_GE(band.green, band.red) << "rows from " << top;
        EXPECT_GT(band.red, 90) << "rows from " << top;
        EXPECT_LT(band.blue - band.red, 60) << "rows from " << top;
    }
}

TEST(Landscape, HasDarkerTreesAlongTheHorizon) {
    const raster::Bitmap landscape = assets::LoadPicture("Image1");
    const AverageColour sky = Average(landscape, 0, 300, 1152, 340);
    const AverageColour trees = Average(landscape, 0, 385, 1152, 398);
    EXPECT_LT(trees.green, sky.green - 40);
    EXPECT_LT(trees.blue, trees.green);
}

TEST(Landscape, HasGreenGroundBelowTheTrees) {
    const raster::Bitmap landscape = assets::LoadPicture("Image1");
    for (int top = 480; top < 864; top += 48) {
        const AverageColour band = Average(landscape, 0, top, 1152, top + 8);
        EXPECT_GT(band.green, band.red) << "rows from " << top;
        EXPECT_GT(band.green, band.blue * 1.2) << "rows from " << top;
    }
}

TEST(Landscape, ShowsOpenGroundWhereTargetsStand) {
    // Below the far targets the field is grass, not trees: no dark blots at the centres of
    // the nearer placements.
    const raster::Bitmap landscape = assets::LoadPicture("Image1");
    const int centres[][2] = {{526, 470}, {376, 468}, {210, 478}, {852, 484},
                              {896, 490}, {304, 468}, {816, 542}, {472, 542},
                              {750, 496}, {998, 504}, {662, 534}, {480, 490}};
    for (const auto& [x, y] : centres) {
        const AverageColour ground = Average(landscape, x - 10, y - 4, x + 10, y + 4);
        EXPECT_GT(ground.green, ground.blue * 1.15) << x << "," << y;
        EXPECT_GT(ground.green, 70) << x << "," << y;
    }
}

class Reticle : public testing::Test {
  protected:
    const raster::Bitmap reticle = assets::LoadPicture("setka");

    void expectColumnBand(int row, int left, int right, std::uint32_t colour) const {
        for (int x = left; x <= right; ++x) {
            EXPECT_EQ(reticle.pixel(x, row), colour) << "column " << x << ", row " << row;
        }
    }
    void expectRowBand(int column, int top, int bottom, std::uint32_t colour) const {
        for (int y = top; y <= bottom; ++y) {
            EXPECT_EQ(reticle.pixel(column, y), colour) << "column " << column << ", row " << y;
        }
    }
    bool inkInRect(int left, int top, int right, int bottom) const {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                if (reticle.pixel(x, y) == kBlack) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(Reticle, IsOnlyBlackOnWhite) {
    ASSERT_EQ(reticle.width(), 450);
    ASSERT_EQ(reticle.height(), 450);
    for (int y = 0; y < 450; ++y) {
        for (int x = 0; x < 450; ++x) {
            const std::uint32_t rgb = reticle.pixel(x, y);
            ASSERT_TRUE(rgb == kWhite || rgb == kBlack) << x << "," << y;
        }
    }
}

TEST_F(Reticle, HasItsRingAtTheOuterEdges) {
    expectColumnBand(226, 12, 20, kBlack);
    EXPECT_EQ(reticle.pixel(11, 226), kWhite);
    expectColumnBand(226, 427, 435, kBlack);
    EXPECT_EQ(reticle.pixel(436, 226), kWhite);
    expectRowBand(224, 11, 19, kBlack);
    EXPECT_EQ(reticle.pixel(224, 10), kWhite);
    expectRowBand(224, 433, 441, kBlack);
    EXPECT_EQ(reticle.pixel(224, 442), kWhite);
    // Nine to eleven pixels thick: white again inside.
    EXPECT_EQ(reticle.pixel(24, 226), kWhite);
    EXPECT_EQ(reticle.pixel(224, 23), kWhite);
    EXPECT_FALSE(inkInRect(0, 0, 40, 40)) << "everything outside the ring is white";
}

TEST_F(Reticle, HasTheRangeLinesAtTheirRowsAcrossTheGrid) {
    const struct {
        int top;
        int bottom;
    } lines[] = {{166, 169}, {187, 190}, {195, 197}, {223, 225}, {259, 262}};
    for (const int column : {70, 100, 150, 200, 240, 300, 380}) {
        for (const auto& line : lines) {
            expectRowBand(column, line.top, line.bottom, kBlack);
            EXPECT_EQ(reticle.pixel(column, line.top - 1), kWhite) << column << "," << line.top;
            EXPECT_EQ(reticle.pixel(column, line.bottom + 1), kWhite)
                << column << "," << line.bottom;
        }
    }
    expectColumnBand(224, 59, 60, kBlack);
    EXPECT_EQ(reticle.pixel(58, 224), kWhite);
    expectColumnBand(224, 385, 387, kBlack);
    EXPECT_EQ(reticle.pixel(388, 224), kWhite);
}

TEST_F(Reticle, KeepsTheAimPointWhiteInTheGapOfTheCentreLine) {
    EXPECT_EQ(reticle.pixel(225, 225), kWhite);
    for (const int row : {180, 225, 250, 300, 324}) {
        expectColumnBand(row, 220, 222, kBlack);
        expectColumnBand(row, 223, 226, kWhite);
        expectColumnBand(row, 227, 229, kBlack);
    }
    // Broken between the strip of cells and range line 3.
    expectColumnBand(192, 220, 229, kWhite);
    EXPECT_EQ(reticle.pixel(221, 325), kWhite);
}

TEST_F(Reticle, HasTheSideMarksAtTheirColumns) {
    const struct {
        int left;
        int right;
    } marks[] = {{60, 62},   {93, 95},   {126, 129}, {158, 160}, {192, 194},
                 {258, 260}, {289, 291}, {319, 321}, {353, 355}, {385, 387}};
    for (const auto& mark : marks) {
        for (const int row : {178, 210, 240, 255}) {
            expectColumnBand(row, mark.left, mark.right, kBlack);
            EXPECT_EQ(reticle.pixel(mark.left - 1, row), kWhite) << mark.left << "," << row;
            EXPECT_EQ(reticle.pixel(mark.right + 1, row), kWhite) << mark.right << "," << row;
        }
        EXPECT_EQ(reticle.pixel(mark.left, 192), kWhite) << "break at " << mark.left;
        EXPECT_EQ(reticle.pixel(mark.left, 264), kWhite) << "end at " << mark.left;
    }
}

TEST_F(Reticle, NumbersTheSideMarksUnderTheGrid) {
    const int centres[] = {61, 94, 128, 159, 193, 259, 290, 320, 354, 386};
    for (const int centre : centres) {
        EXPECT_TRUE(inkInRect(centre - 5, 265, centre + 5, 283)) << "number under " << centre;
    }
    // Only the centre line passes the rows just above and below the numbers.
    EXPECT_FALSE(inkInRect(40, 263, 219, 264));
    EXPECT_FALSE(inkInRect(230, 263, 400, 264));
    EXPECT_FALSE(inkInRect(40, 284, 219, 290));
    EXPECT_FALSE(inkInRect(230, 284, 400, 285));
}

TEST_F(Reticle, LabelsRangeLinesTwoThreeAndFourAtTheirLeftEnds) {
    EXPECT_TRUE(inkInRect(43, 160, 56, 175));
    EXPECT_TRUE(inkInRect(43, 188, 56, 204));
    EXPECT_TRUE(inkInRect(43, 216, 56, 232));
    EXPECT_FALSE(inkInRect(38, 150, 42, 240));
    EXPECT_FALSE(inkInRect(57, 150, 58, 240));
    EXPECT_FALSE(inkInRect(43, 238, 56, 258)) << "line 5 carries no label";
}

TEST_F(Reticle, HasTheCrossAboveTheGrid) {
    expectRowBand(221, 82, 105, kBlack);
    expectColumnBand(94, 209, 233, kBlack);
    EXPECT_EQ(reticle.pixel(221, 81), kWhite);
    EXPECT_EQ(reticle.pixel(208, 94), kWhite);
    EXPECT_EQ(reticle.pixel(234, 94), kWhite);
}

TEST_F(Reticle, HasTheRangeScaleLowerRight) {
    for (const int row : {350, 351, 352}) {
        expectColumnBand(row, 238, 383, kBlack);
    }
    EXPECT_EQ(reticle.pixel(237, 351), kWhite);
    EXPECT_TRUE(inkInRect(240, 358, 261, 369)) << "the 2.7 label";
    EXPECT_FALSE(inkInRect(232, 353, 237, 375));
    EXPECT_FALSE(inkInRect(262, 355, 300, 375));
    EXPECT_TRUE(inkInRect(238, 304, 257, 318)) << "first bracket";
    EXPECT_TRUE(inkInRect(360, 323, 387, 339)) << "last bracket";
    EXPECT_FALSE(inkInRect(238, 340, 360, 349)) << "the ring passes further right";
}

}  // namespace
