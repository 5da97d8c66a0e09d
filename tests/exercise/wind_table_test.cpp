// Tests of the wind table.
#include <gtest/gtest.h>

#include "exercise/wind_table.h"

namespace {

using exercise::WindArrow;

const char* const kPerpendicular = "Ветер 4 м/с перпендикулярно плоскости стрельбы";
const char* const kAcute = "Ветер 4 м/с под острым углом к плоскости стрельбы";

struct WindRow {
    std::uint32_t draw;
    WindArrow arrow;
    int shift;
    const char* status;
};

class WindOfADraw : public testing::TestWithParam<WindRow> {};

TEST_P(WindOfADraw, GivesItsArrowShiftAndStatusText) {
    const exercise::WindChoice wind = exercise::WindForDraw(GetParam().draw);
    EXPECT_EQ(wind.arrow, GetParam().arrow);
    EXPECT_EQ(wind.impactShift, GetParam().shift);
    EXPECT_EQ(exercise::WindStatusText(wind.arrow), QString::fromUtf8(GetParam().status));
}

INSTANTIATE_TEST_SUITE_P(WindTable, WindOfADraw,
                         testing::Values(WindRow{0, WindArrow::Wind, -144, kPerpendicular},
                                         WindRow{1, WindArrow::Wind, -144, kPerpendicular},
                                         WindRow{2, WindArrow::Wind, -144, kPerpendicular},
                                         WindRow{3, WindArrow::Wind_diag, -72, kAcute},
                                         WindRow{4, WindArrow::Wind_diag, -72, kAcute},
                                         WindRow{5, WindArrow::Wind_diag_l, 72, kAcute},
                                         WindRow{6, WindArrow::Wind_diag_l, 72, kAcute},
                                         WindRow{7, WindArrow::Wind_l, 9, kPerpendicular},
                                         WindRow{8, WindArrow::None, 0, ""}));

struct TagRow {
    int tag;
    WindArrow arrow;
};

class WindArrowOfATag : public testing::TestWithParam<TagRow> {};

TEST_P(WindArrowOfATag, IsTheArrowThatCarriesIt) {
    EXPECT_EQ(exercise::WindArrowFromTag(GetParam().tag), GetParam().arrow);
}

INSTANTIATE_TEST_SUITE_P(WindTable, WindArrowOfATag,
                         testing::Values(TagRow{1, WindArrow::Wind},
                                         TagRow{2, WindArrow::Wind_diag},
                                         TagRow{3, WindArrow::Wind_l},
                                         TagRow{4, WindArrow::Wind_diag_l},
                                         TagRow{0, WindArrow::None}, TagRow{5, WindArrow::None},
                                         TagRow{-1, WindArrow::None}));

}  // namespace
