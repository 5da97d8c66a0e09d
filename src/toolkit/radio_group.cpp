// A framed, captioned group of mutually exclusive radio buttons in one column.
#include "toolkit/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace toolkit {

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this)) {
    group_->setExclusive(true);
    new QVBoxLayout(this);
}

void RadioGroup::SetItems(const QStringList& items) {
    for (QAbstractButton* button : group_->buttons()) {
        group_->removeButton(button);
        layout()->removeWidget(button);
        button->hide();
        button->deleteLater();
    }
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], this);
        group_->addButton(button, index);
        layout()->addWidget(button);
    }
}

int RadioGroup::ItemCount() const {
    return int(group_->buttons().size());
}

QRadioButton* RadioGroup::Button(int index) const {
    return qobject_cast<QRadioButton*>(group_->button(index));
}

int RadioGroup::ItemIndex() const {
    return group_->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
    index = std::min(index, ItemCount() - 1);
    if (index >= 0) {
        Button(index)->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; unchecking needs the rule lifted.
    if (QAbstractButton* checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

}  // namespace toolkit
