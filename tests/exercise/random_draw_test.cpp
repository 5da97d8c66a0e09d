// Tests of the clock-seeded random draw.
#include <gtest/gtest.h>

#include <set>

#include "exercise/random_draw.h"
#include "exercise/scenario_table.h"
#include "exercise/wind_table.h"

namespace {

struct DrawRow {
    std::uint32_t clock;
    std::uint32_t count;
    std::uint32_t value;
};

class RandomDrawAtAFixedClock : public testing::TestWithParam<DrawRow> {};

// state = (clock * 134775813 + 1) mod 2^32, value = (state * count) >> 32, worked out apart
// from the code:
//   clock 0:        state 1,          value (1 * 8) >> 32 = 0
//   clock 1:        state 134775814,  (134775814 * 16) >> 32 = 0
//   clock 12345678: state 2689212039, * 16 >> 32 = 10, * 5 >> 32 = 3
//   clock 43200000 (noon): state 1620567553, * 5 >> 32 = 1
//   clock 45296789 (12:34:56.789): state 2099557098, * 8 >> 32 = 3
//   clock 86399999 (the day's last millisecond): state 3106359292, * 8 >> 32 = 5,
//   * 16 >> 32 = 11
// Two clocks outside a day's range land the state exactly on a boundary of the scaled
// value, where the + 1 of the step decides the draw:
//   clock 2796574515: state 2^31,       * 16 >> 32 = 8 (7 for state 2^31 - 1), * 2 >> 32 = 1
//   clock 1454397235: state 4026531840 (15 * 2^28), * 16 >> 32 = 15
TEST_P(RandomDrawAtAFixedClock, GivesTheUpperHalfOfTheScaledState) {
    const std::uint32_t clock = GetParam().clock;
    exercise::RandomDraw draw([clock] { return clock; });
    EXPECT_EQ(draw.Draw(GetParam().count), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(RandomDraw, RandomDrawAtAFixedClock,
                         testing::Values(DrawRow{0, 8, 0}, DrawRow{1, 16, 0},
                                         DrawRow{12345678, 16, 10}, DrawRow{12345678, 5, 3},
                                         DrawRow{43200000, 5, 1}, DrawRow{45296789, 8, 3},
                                         DrawRow{86399999, 8, 5}, DrawRow{86399999, 16, 11},
                                         DrawRow{2796574515u, 16, 8}, DrawRow{2796574515u, 2, 1},
                                         DrawRow{1454397235u, 16, 15}, DrawRow{12345678, 0, 0}));

TEST(RandomDraw, ReseedsFromTheClockBeforeEveryDraw) {
    // Without the reseed the second draw would advance to state 2238198948 and give 8.
    exercise::RandomDraw draw([] { return std::uint32_t{12345678}; });
    EXPECT_EQ(draw.Draw(16), 10u);
    EXPECT_EQ(draw.Draw(16), 10u);
}

TEST(RandomDraw, GivesEveryValueOfEachRoundDrawAndNothingBeyond) {
    // The draws a round makes: shooting targets, range targets and wind.
    const std::uint32_t counts[] = {exercise::ScenarioDrawCount(0), exercise::ScenarioDrawCount(1),
                                    exercise::WindDrawCount};
    for (const std::uint32_t count : counts) {
        std::set<std::uint32_t> seen;
        for (std::uint32_t clock = 0; clock < 86400000; clock += 4321) {
            exercise::RandomDraw draw([clock] { return clock; });
            const std::uint32_t value = draw.Draw(count);
            ASSERT_LT(value, count) << "clock " << clock;
            seen.insert(value);
        }
        EXPECT_EQ(seen.size(), count);
    }
}

TEST(RandomDraw, SystemClockGivesATimeOfDay) {
    EXPECT_LT(exercise::SystemTimeOfDayMilliseconds(), 86400000u);
}

}  // namespace
