// Tests of the range drop and the shot into the sky.
#include <gtest/gtest.h>

#include "exercise/range_drop.h"

namespace {

struct DropRow {
    int range;
    int drop;
};

class RangeDropForRange : public testing::TestWithParam<DropRow> {};

TEST_P(RangeDropForRange, MovesTheImpactDownByTheTableValue) {
    EXPECT_EQ(exercise::RangeDrop(GetParam().range), GetParam().drop);
}

INSTANTIATE_TEST_SUITE_P(RangeDrop, RangeDropForRange,
                         testing::Values(DropRow{200, 2}, DropRow{300, 32}, DropRow{400, 60},
                                         DropRow{500, 95}, DropRow{0, 0}, DropRow{250, 0},
                                         DropRow{550, 0}, DropRow{800, 0}, DropRow{-200, 0}));

struct SkyRow {
    int impactY;
    int result;
};

class ShotIntoSkyAtRow : public testing::TestWithParam<SkyRow> {};

TEST_P(ShotIntoSkyAtRow, MovesOnlyRowsAbove400IntoTheForeground) {
    EXPECT_EQ(exercise::ShotIntoSky(GetParam().impactY), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(ShotIntoSky, ShotIntoSkyAtRow,
                         testing::Values(SkyRow{400, 400}, SkyRow{864, 864},
                                         SkyRow{399, 700},  // 399 = 57 * 7
                                         SkyRow{398, 760},  // remainder 6
                                         SkyRow{0, 700},    //
                                         SkyRow{-1, 690},   // remainder keeps the sign
                                         SkyRow{-58, 680},  // remainder -2
                                         SkyRow{-62, 640},  // remainder -6
                                         SkyRow{-2147483647 - 1, 680}));

struct ShotRow {
    int aimY;
    int range;
    int impactY;
};

class ImpactYAfterDropOfAShot : public testing::TestWithParam<ShotRow> {};

TEST_P(ImpactYAfterDropOfAShot, AddsTheDropBeforeTheSkyRule) {
    EXPECT_EQ(exercise::ImpactYAfterDrop(GetParam().aimY, GetParam().range), GetParam().impactY);
}

INSTANTIATE_TEST_SUITE_P(
    ImpactYAfterDrop, ImpactYAfterDropOfAShot,
    testing::Values(ShotRow{-60, 200, 680},    // mouse Y 0 at the 200 m target
                    ShotRow{398, 200, 400},    // the drop alone takes it out of the sky
                    ShotRow{340, 500, 435},    // mouse Y 200: 35 below twice the mouse Y
                    ShotRow{340, 400, 400},    // exactly on row 400: left alone
                    ShotRow{340, 300, 710}));  // 372 is in the sky, remainder 1

}  // namespace
