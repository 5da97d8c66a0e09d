// A framed, captioned group of mutually exclusive radio buttons in one column.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace toolkit {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit RadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int ItemCount() const;
    QRadioButton* Button(int index) const;
    // -1 while none is chosen.
    int ItemIndex() const;
    void SetItemIndex(int index);

  private:
    QButtonGroup* group_;
};

}  // namespace toolkit
