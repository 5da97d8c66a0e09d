// Tests of the hit test of a shot.
#include <gtest/gtest.h>

#include <climits>

#include "exercise/hit_test.h"

namespace {

struct LensRow {
    int cursorX;
    int cursorY;
    int targetX;
    int targetY;
    int num;
    int den;
    std::int64_t magnifiedX;
    std::int64_t magnifiedY;
};

class MagnifiedTargetCentreOfALens : public testing::TestWithParam<LensRow> {};

TEST_P(MagnifiedTargetCentreOfALens, IsWhereTheLensShowsTheTarget) {
    const LensRow& row = GetParam();
    const exercise::PicturePoint point = exercise::MagnifiedTargetCentre(
        row.cursorX, row.cursorY, row.targetX, row.targetY, static_cast<std::uint8_t>(row.num),
        static_cast<std::uint8_t>(row.den));
    EXPECT_EQ(point, (exercise::PicturePoint{row.magnifiedX, row.magnifiedY}));
}

INSTANTIATE_TEST_SUITE_P(HitTest, MagnifiedTargetCentreOfALens,
                         testing::Values(
                             // 600 - (600 - 620) * 3 = 660, 400 - (400 - 410) * 3 = 430
                             LensRow{300, 200, 310, 205, 3, 1, 660, 430},
                             // the target under the cursor stays where it is
                             LensRow{300, 200, 300, 200, 3, 1, 600, 400},
                             // -2 * 3 div 4 = -1: multiplied first (dividing first gives 0),
                             // truncated toward zero (flooring gives -2)
                             LensRow{300, 200, 301, 199, 3, 4, 601, 399},
                             // the extreme control coordinates need 64 bits
                             LensRow{INT_MAX, INT_MIN, INT_MIN, INT_MAX, 3, 1, -21474836476LL,
                                     21474836474LL}));

struct ImpactRow {
    int impactX;
    int impactY;
    bool hit;
};

class ShotAtTheMagnifiedTarget : public testing::TestWithParam<ImpactRow> {};

// The lens at cursor (300, 200) shows the target (310, 205) at picture point (660, 430).
TEST_P(ShotAtTheMagnifiedTarget, HitsOnlyStrictlyWithin25Pixels) {
    TExerciseState state;
    state.CursorX = 300;
    state.CursorY = 200;
    state.TargetX = 310;
    state.TargetY = 205;
    state.MagnifyNum = 3;
    state.MagnifyDen = 1;
    state.ImpactX = GetParam().impactX;
    state.ImpactY = GetParam().impactY;
    EXPECT_EQ(exercise::ShotHits(state), GetParam().hit);
}

INSTANTIATE_TEST_SUITE_P(HitTest, ShotAtTheMagnifiedTarget,
                         testing::Values(ImpactRow{660, 430, true},   // dead centre
                                         ImpactRow{684, 430, true},   // 24
                                         ImpactRow{685, 430, false},  // 25
                                         ImpactRow{660, 405, false},  // 25 straight up
                                         ImpactRow{675, 450, false},  // 15-20-25
                                         ImpactRow{653, 406, false},  // 7-24-25
                                         ImpactRow{684, 437, false},  // 24-7-25
                                         ImpactRow{677, 447, true},   // 17-17: 24.04
                                         ImpactRow{642, 413, true},   // 18-17: 24.76
                                         ImpactRow{600, 400, false},  // the cursor, 67 off
                                         ImpactRow{INT_MIN, INT_MAX, false}));

TEST(HitTest, MeasuresDistancesBeyondThe32BitSquaresWithoutOverflow) {
    const exercise::PicturePoint far{-21474836476LL, 0};
    EXPECT_DOUBLE_EQ(exercise::DistanceToImpact(far, INT_MAX, 0), 23622320123.0);
}

}  // namespace
