// Tests of the range tolerance.
#include <gtest/gtest.h>

#include <climits>

#include "exercise/range_answer.h"

namespace {

struct AnswerRow {
    int answer;
    int range;
    bool hit;
};

class RangeAnswer : public testing::TestWithParam<AnswerRow> {};

TEST_P(RangeAnswer, HitsWithin99MetresEitherWay) {
    EXPECT_EQ(exercise::RangeAnswerHits(GetParam().answer, GetParam().range), GetParam().hit);
}

INSTANTIATE_TEST_SUITE_P(
    RangeTolerance, RangeAnswer,
    testing::Values(AnswerRow{100, 200, false}, AnswerRow{101, 200, true},
                    AnswerRow{200, 200, true}, AnswerRow{299, 200, true},
                    AnswerRow{300, 200, false}, AnswerRow{701, 800, true},
                    AnswerRow{899, 800, true}, AnswerRow{900, 800, false}, AnswerRow{0, 99, true},
                    AnswerRow{-1, 99, false}, AnswerRow{INT_MAX, 200, false},
                    AnswerRow{INT_MIN, 200, false}, AnswerRow{INT_MIN, INT_MAX, false},
                    AnswerRow{INT_MAX, INT_MIN, false}, AnswerRow{INT_MAX, INT_MAX - 99, true},
                    AnswerRow{INT_MIN, INT_MIN + 99, true},
                    AnswerRow{INT_MIN, INT_MIN + 100, false}));

}  // namespace
