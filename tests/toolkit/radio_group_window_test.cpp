// Tests of the radio group: one column, exclusive, nothing chosen at the start.
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

#include "toolkit/radio_group.h"

namespace {

class RadioGroupTest : public testing::Test {
  protected:
    void SetUp() override {
        group.setTitle("Режим");
        group.resize(289, 105);
        group.SetItems({"Определение дальности", "Стрельба"});
        group.show();
    }

    void click(int index) {
        QRadioButton* button = group.Button(index);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    toolkit::RadioGroup group;
};

TEST_F(RadioGroupTest, ChoosingAnItemUnchoosesTheOther) {
    click(1);
    EXPECT_EQ(group.ItemIndex(), 1);
    click(0);
    EXPECT_EQ(group.ItemIndex(), 0);
    EXPECT_FALSE(group.Button(1)->isChecked());
    click(0);
    EXPECT_EQ(group.ItemIndex(), 0);
}

TEST_F(RadioGroupTest, ItemIndexChecksByPositionAndMinusOneClears) {
    group.SetItemIndex(1);
    EXPECT_TRUE(group.Button(1)->isChecked());
    group.SetItemIndex(0);
    EXPECT_TRUE(group.Button(0)->isChecked());
    EXPECT_FALSE(group.Button(1)->isChecked());
    group.SetItemIndex(-1);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_FALSE(group.Button(0)->isChecked());
}

}  // namespace
