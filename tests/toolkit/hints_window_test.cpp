// Tests of hints: the split into short and long parts and the tooltips they feed.
#include <gtest/gtest.h>

#include <QWidget>

#include "toolkit/hints.h"

namespace {

struct HintParts {
    QString hint;
    QString shortPart;
    QString longPart;
};

TEST(Hints, SplitAtTheFirstBarIntoShortAndLongParts) {
    const HintParts cases[] = {
        {"Ветер|Ветер перпендикулярно плоскости стрельбы 4 м/с", "Ветер",
         "Ветер перпендикулярно плоскости стрельбы 4 м/с"},
        {"Начать контроль", "Начать контроль", "Начать контроль"},
        {"one|two|three", "one", "two|three"},
        {"|only long", "", "only long"},
        {"only short|", "only short", ""},
        {"Количество попыток|Вам предоставляется  всего 10 попыток ", "Количество попыток",
         "Вам предоставляется  всего 10 попыток "},
        {"", "", ""},
    };
    for (const HintParts& row : cases) {
        EXPECT_EQ(toolkit::ShortHint(row.hint), row.shortPart) << row.hint.toStdString();
        EXPECT_EQ(toolkit::LongHint(row.hint), row.longPart) << row.hint.toStdString();
    }
}

TEST(Hints, TooltipShowsTheShortPartOnlyWhereSwitchedOn) {
    QWidget withTooltip;
    QWidget withoutTooltip;
    toolkit::SetHint(&withTooltip, "Подтвердить|Подтвердите ваше решение");
    toolkit::SetHint(&withoutTooltip, "Подтвердить|Подтвердите ваше решение");
    toolkit::SetShowHint(&withTooltip, true);

    EXPECT_EQ(withTooltip.toolTip(), "Подтвердить");
    EXPECT_TRUE(withoutTooltip.toolTip().isEmpty());
}

TEST(Hints, TooltipFollowsAHintChangedLater) {
    QWidget control;
    toolkit::SetShowHint(&control, true);
    toolkit::SetHint(&control, "Начать контроль");
    EXPECT_EQ(control.toolTip(), "Начать контроль");

    toolkit::SetHint(&control, "Продолжить|Следующая попытка");
    EXPECT_EQ(control.toolTip(), "Продолжить");

    toolkit::SetShowHint(&control, false);
    EXPECT_TRUE(control.toolTip().isEmpty());
    EXPECT_EQ(toolkit::Hint(&control), "Продолжить|Следующая попытка");
}

}  // namespace
