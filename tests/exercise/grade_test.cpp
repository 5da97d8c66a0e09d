// Tests of the running grade.
#include <gtest/gtest.h>

#include "exercise/grade.h"

namespace {

struct GradeRow {
    int hits;
    int attemptsLeft;
    int grade;
};

class GradeFromCounters : public testing::TestWithParam<GradeRow> {};

TEST_P(GradeFromCounters, IsFiveLessHalfTheMissesRoundedDown) {
    EXPECT_EQ(exercise::Grade(GetParam().hits, GetParam().attemptsLeft), GetParam().grade);
}

// Misses m = 10 - hits - attemptsLeft.
INSTANTIATE_TEST_SUITE_P(
    MissesZeroToTen, GradeFromCounters,
    testing::Values(GradeRow{0, 10, 5},   // m 0, before the first shot
                    GradeRow{1, 8, 5},    // m 1
                    GradeRow{3, 5, 4},    // m 2
                    GradeRow{0, 7, 4},    // m 3
                    GradeRow{6, 0, 3},    // m 4
                    GradeRow{5, 0, 3},    // m 5
                    GradeRow{2, 2, 2},    // m 6
                    GradeRow{3, 0, 2},    // m 7
                    GradeRow{1, 1, 1},    // m 8
                    GradeRow{0, 1, 1},    // m 9, the tenth range answer not yet counted
                    GradeRow{0, 0, 0}));  // m 10, ten missed shots

// Attempts taken below zero make the formula leave 0..5; rounding toward minus infinity (not
// toward zero, as integer division would) decides the negative rows.
INSTANTIATE_TEST_SUITE_P(
    MissesOutsideTheTest, GradeFromCounters,
    testing::Values(GradeRow{0, 11, 6},   // m -1: 5 - floor(-0.5)
                    GradeRow{0, 12, 6},   // m -2
                    GradeRow{1, 12, 7},   // m -3: 5 - floor(-1.5)
                    GradeRow{0, -1, 0},   // m 11
                    GradeRow{0, -2, -1},  // m 12
                    // The extreme counters reach the ends of the int range without overflow.
                    GradeRow{-2147483647 - 1, -2147483647 - 1, -2147483647 - 1},
                    GradeRow{2147483647, 2147483647, 2147483647}));

}  // namespace
