// Tests of the range lookup by sprite height.
#include <gtest/gtest.h>

#include "assets/range_table.h"

namespace {

struct HeightCase {
    int height;
    int range;
};

TEST(RangeForHeight, GivesTheTableRangeForEverySpriteHeight) {
    const HeightCase cases[] = {{25, 800}, {30, 750}, {35, 650}, {40, 600}, {45, 550},
                                {50, 500}, {65, 400}, {75, 300}, {80, 200}};
    for (const auto& [height, range] : cases) {
        EXPECT_EQ(assets::RangeForHeight(height), range) << "height " << height;
    }
}

TEST(RangeForHeight, GivesZeroForTheHeightsNoSpriteHas) {
    // 55, 60 and 70 hit the zero entries; 57 rounds 11.4 down to index 11.
    for (const int height : {55, 60, 70, 57, 58, 62, 68, 72}) {
        EXPECT_EQ(assets::RangeForHeight(height), 0) << "height " << height;
    }
}

TEST(RangeForHeight, RoundsTheIndexToTheNearestEntry) {
    const HeightCase cases[] = {{52, 500}, {53, 0},   {23, 800}, {27, 800},
                                {28, 750}, {63, 400}, {82, 200}, {77, 300}};
    for (const auto& [height, range] : cases) {
        EXPECT_EQ(assets::RangeForHeight(height), range) << "height " << height;
    }
}

TEST(RangeForHeight, GivesZeroOutsideTheTableInsteadOfReadingPastIt) {
    for (const int height :
         {0, 1, 12, 22, 83, 85, 90, 1000, -25, -1, 2147483647, -2147483647 - 1}) {
        EXPECT_EQ(assets::RangeForHeight(height), 0) << "height " << height;
    }
}

TEST(RoundHalfToEven, RoundsExactHalvesToTheEvenNeighbour) {
    const struct {
        double value;
        long long rounded;
    } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {12.5, 12}, {13.5, 14}, {-0.5, 0},
                 {-1.5, -2}, {11.4, 11}, {11.6, 12}, {10.0, 10}, {-2.4, -2}, {-2.6, -3}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(assets::RoundHalfToEven(value), rounded) << "value " << value;
    }
}

}  // namespace
