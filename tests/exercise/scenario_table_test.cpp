// Tests of the scenario table.
#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "exercise/scenario_table.h"

namespace {

TEST(ScenarioTable, NumbersItsRowsByPosition) {
    for (std::size_t row = 0; row < exercise::ScenarioTable.size(); ++row) {
        EXPECT_EQ(exercise::ScenarioTable[row].index, static_cast<int>(row));
    }
}

TEST(ScenarioTable, PutsTheNearTargetInTheFirstTwoRows) {
    const auto& first = exercise::ScenarioTable[0];
    const auto& second = exercise::ScenarioTable[1];
    EXPECT_EQ(first.TargetX, second.TargetX);
    EXPECT_EQ(first.TargetY, second.TargetY);
    EXPECT_EQ(first.sprite, second.sprite);
    EXPECT_EQ(first.sprite, "b80");
}

TEST(ScenarioTable, GivesTheShootingExerciseOnlySpritesItsDropTableKnows) {
    // b80, b75, b65 and b50 stand at 200, 300, 400 and 500 m.
    const std::set<std::string_view> droppable{"b80", "b75", "b65", "b50"};
    ASSERT_EQ(exercise::ScenarioDrawCount(0), 5u);
    for (std::uint32_t row = 0; row < exercise::ScenarioDrawCount(0); ++row) {
        EXPECT_TRUE(droppable.contains(exercise::ScenarioTable[row].sprite)) << "row " << row;
    }
}

TEST(ScenarioTable, LeavesTheLastRowOutOfTheRangeExercise) {
    EXPECT_EQ(exercise::ScenarioDrawCount(1), exercise::ScenarioTable.size() - 1);
}

}  // namespace
