// A one-line numeric entry with up and down buttons that keeps any text of its allowed
// characters, so a handler decides what the text means.
#pragma once

#include <QAbstractSpinBox>
#include <functional>

namespace toolkit {

class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit SpinEdit(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    // The text as a number; text that is not a whole number counts as MinValue.
    int Value() const;
    void SetValue(int value);

    int MinValue = 0;  // both limits 0: unlimited
    int MaxValue = 0;
    int Increment = 1;

    // Runs before the field's own handling of the key, with the Windows virtual-key code
    // (13 for Enter) and the modifiers.
    std::function<void(int key, Qt::KeyboardModifiers)> OnKeyDown;

    void stepBy(int steps) override;

  protected:
    QValidator::State validate(QString& input, int& pos) const override;
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    bool isLimited() const;

    bool settingText_ = false;
};

}  // namespace toolkit
