// A one-line numeric entry that keeps any text of its allowed characters and refuses the
// rest with a beep.
#include "toolkit/spin_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QScopedValueRollback>
#include <algorithm>
#include <cstdint>
#include <limits>

#include "toolkit/beep.h"
#include "toolkit/virtual_key.h"

namespace toolkit {

namespace {

bool IsAllowedCharacter(QChar character) {
    if (character.isDigit() && character.unicode() < 0x80) {
        return true;
    }
    // The decimal separator is the locale's own; the other one is refused like any other
    // character.
    return character == u'+' || character == u'-' ||
           QString(QLocale().decimalPoint()).contains(character);
}

bool IsAllowedText(const QString& text) {
    return std::all_of(text.begin(), text.end(), IsAllowedCharacter);
}

// Enter is the one control character the field refuses; every other control character
// (Backspace, Escape, Tab) is the field's or the window's to handle.
bool IsRefusedKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        return true;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return false;  // shortcuts such as Ctrl+A and Ctrl+C type nothing
    }
    const QString text = event.text();
    return std::any_of(text.begin(), text.end(), [](QChar character) {
        return character.isPrint() && !IsAllowedCharacter(character);
    });
}

int ToInt(std::int64_t value) {
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

}  // namespace

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setKeyboardTracking(true);
    // Typed characters are refused before they reach the field; what else the field's
    // rules turn away (a paste from the keyboard or the context menu) is refused whole,
    // and the trainee hears it.
    connect(lineEdit(), &QLineEdit::inputRejected, this, [this] {
        if (!settingText_) {
            Beep();
        }
    });
    SetText(QStringLiteral("0"));
}

QString SpinEdit::Text() const {
    return lineEdit()->text();
}

void SpinEdit::SetText(const QString& text) {
    const QScopedValueRollback settingText(settingText_, true);
    lineEdit()->setText(text);
}

bool SpinEdit::isLimited() const {
    return MinValue != 0 || MaxValue != 0;
}

int SpinEdit::Value() const {
    bool isNumber = false;
    const int value = Text().toInt(&isNumber);
    return isNumber ? value : MinValue;
}

void SpinEdit::SetValue(int value) {
    if (isLimited()) {
        value = std::min(std::max(value, MinValue), MaxValue);
    }
    SetText(QString::number(value));
}

void SpinEdit::stepBy(int steps) {
    // One step at a time, however the wheel was turned or which modifier was held.
    steps = std::clamp(steps, -1, 1);
    SetValue(ToInt(std::int64_t(Value()) + std::int64_t(steps) * std::int64_t(Increment)));
}

QValidator::State SpinEdit::validate(QString& input, int& /*pos*/) const {
    return IsAllowedText(input) ? QValidator::Acceptable : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (isReadOnly()) {
        return StepNone;
    }
    if (!isLimited()) {
        return StepUpEnabled | StepDownEnabled;
    }
    const int value = Value();
    StepEnabled enabled = StepNone;
    if (value < MaxValue) {
        enabled |= StepUpEnabled;
    }
    if (value > MinValue) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown) {
        // The handler may close the window that holds the field.
        const QPointer<SpinEdit> alive(this);
        OnKeyDown(VirtualKeyCode(*event), event->modifiers());
        if (!alive) {
            return;
        }
    }
    if (IsRefusedKey(*event)) {
        Beep();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        // The field steps by one on Up and Down only; Qt would step by ten here.
        event->ignore();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void SpinEdit::focusInEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusInEvent(event);
    // A click places the caret where it lands; coming back from a context menu keeps the
    // selection the trainee had.
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason) {
        selectAll();
    }
}

}  // namespace toolkit
