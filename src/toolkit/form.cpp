// Top-level windows: frames, sizes, places, and their part in the focus model.
#include "toolkit/form.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>

#include "toolkit/focus_model.h"
#include "toolkit/handler.h"

namespace toolkit {

namespace {
Qt::WindowFlags FlagsFor(Form::Frame frame) {
    switch (frame) {
        case Form::Frame::Sizeable:
            return Qt::Window;
        case Form::Frame::Single:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint;
        case Form::Frame::Dialog:
            return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    }
    return Qt::Window;
}
}  // namespace

Form::Form(Frame frame) : QWidget(nullptr, FlagsFor(frame)), frame_(frame) {
    // The focus model decides which window is active and asks for it itself.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

Form::~Form() {
    FocusModel::instance().forget(this);
}

void Form::Show() {
    FocusModel::instance().show(this);
}

void Form::Hide() {
    FocusModel::instance().hide(this);
}

void Form::BringToFront() {
    FocusModel::instance().bringToFront(this);
}

void Form::SetActiveControl(QWidget* control) {
    activeControl_ = control;
    if (control != nullptr) {
        control->setFocus(Qt::OtherFocusReason);
    }
    FocusModel::instance().focus(this);
}

void Form::giveKeyboardFocus() {
    if (activeControl_ != nullptr && activeControl_->isEnabled() && activeControl_->isVisible() &&
        !activeControl_->hasFocus()) {
        activeControl_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void Form::SetClientSize(int width, int height) {
    if (frame_ == Frame::Sizeable) {
        resize(width, height);
    } else {
        setFixedSize(width, height);
    }
}

void Form::SetScreenPlace(int left, int top) {
    move(left, top);
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        RunHandler([this] { FocusModel::instance().systemActivated(this); });
    }
    return QWidget::event(event);
}

void Form::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focusedButton = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* pressed = focusedButton != nullptr ? focusedButton : defaultButton_;
        if (pressed != nullptr && pressed->isEnabled() && pressed->isVisible()) {
            pressed->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent* event) {
    // Only a window with a close button can be closed, and closing only hides it; the
    // program ends through its "Выход" buttons alone.
    event->ignore();
    if (frame_ == Frame::Single) {
        RunHandler([this] { Hide(); });
    }
}

}  // namespace toolkit
