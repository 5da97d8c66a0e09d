// Tests of the target marker tick.
#include <gtest/gtest.h>

#include "exercise/marker_tick.h"

namespace {

using exercise::ViewChange;

struct TickRow {
    int tag;
    bool running;
    ViewChange view;
    bool drawMarker;
    int nextTag;
};

class MarkerTickWithTag : public testing::TestWithParam<TickRow> {};

TEST_P(MarkerTickWithTag, DoesWhatTheMarkerTableSays) {
    const exercise::MarkerTick tick =
        exercise::DecideMarkerTick(GetParam().tag, 1, GetParam().running);
    EXPECT_EQ(tick.view, GetParam().view);
    EXPECT_EQ(tick.drawMarker, GetParam().drawMarker);
    EXPECT_EQ(tick.nextTag, GetParam().nextTag);
}

INSTANTIATE_TEST_SUITE_P(
    MarkerThresholdOne, MarkerTickWithTag,
    testing::Values(TickRow{0, true, ViewChange::Disable, true, 1},  // first tick: frame laid
                    TickRow{0, false, ViewChange::Disable, false, 0},
                    TickRow{1, true, ViewChange::Enable, true, 2},  // second: frame taken away
                    TickRow{1, false, ViewChange::Unchanged, false, 1},
                    TickRow{2, true, ViewChange::Enable, false, 2},
                    TickRow{2, false, ViewChange::Unchanged, false, 2},
                    TickRow{7, true, ViewChange::Enable, false, 7},
                    TickRow{-1, true, ViewChange::Disable, true, 0}));

TEST(MarkerTick, ComparesTheTagWithTheGivenThreshold) {
    const exercise::MarkerTick tick = exercise::DecideMarkerTick(2, 3, true);
    EXPECT_EQ(tick.view, ViewChange::Disable);
    EXPECT_TRUE(tick.drawMarker);
    EXPECT_EQ(tick.nextTag, 3);
}

}  // namespace
