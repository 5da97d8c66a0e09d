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

TEST_F(RadioGroupTest, StartsWithNoItemChosen) {
    EXPECT_EQ(group.ItemCount(), 2);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_FALSE(group.Button(0)->isChecked());
    EXPECT_FALSE(group.Button(1)->isChecked());
}

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

TEST_F(RadioGroupTest, ItemsStandInOneColumnUnderTheCaption) {
    const QRect first = group.Button(0)->geometry();
    const QRect second = group.Button(1)->geometry();
    EXPECT_EQ(first.left(), second.left());
    EXPECT_GE(second.top(), first.bottom());
    EXPECT_EQ(group.Button(1)->text(), "Стрельба");
}

TEST_F(RadioGroupTest, NewItemsReplaceTheOldOnes) {
    click(1);
    group.SetItems({"Один", "Два", "Три"});
    EXPECT_EQ(group.ItemCount(), 3);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(group.Button(2)->text(), "Три");
}

}  // namespace
