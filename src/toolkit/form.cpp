// Top-level windows: frames, sizes, places, and their part in the focus model.
#include "toolkit/form.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QSet>

#include "toolkit/focus_model.h"
#include "toolkit/handler.h"
#include "toolkit/native_frame.h"

namespace toolkit {

namespace {
// Every window is a plain top-level window to the window system: window managers keep a
// dialog without a parent above all the program's windows, which would let the mode window
// cover the exercise window. The frames differ only in the title-bar buttons they allow.
Qt::WindowFlags FlagsFor(Form::Frame frame) {
    switch (frame) {
        case Form::Frame::Sizeable:
            return Qt::Window;
        case Form::Frame::Single:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint;
        case Form::Frame::Dialog:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    }
    return Qt::Window;
}

// Qt presents a plain widget window as a mere filler; screen readers announce a window by
// its role and title.
class AccessibleForm : public QAccessibleWidget {
  public:
    explicit AccessibleForm(Form* form) : QAccessibleWidget(form, QAccessible::Window) {}
    QAccessible::Role role() const override {
        return static_cast<const Form*>(widget())->ReadAsDialog() ? QAccessible::Dialog
                                                                  : QAccessible::Window;
    }
};

QAccessibleInterface* AccessibleFormFactory(const QString&, QObject* object) {
    auto* form = qobject_cast<Form*>(object);
    return form != nullptr ? new AccessibleForm(form) : nullptr;
}

// A mouse press on a window is the trainee choosing it: the window manager's notice of the
// activation may come late or never come (a click on the title bar of the window the system
// holds active). A key typed into a window the focus model does not hold chooses nothing and
// is dropped before any control sees it, and so are its repeats and its release.
class InputWatcher : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type != QEvent::MouseButtonPress && type != QEvent::KeyPress &&
             type != QEvent::KeyRelease) ||
            !object->isWidgetType()) {
            return false;
        }
        auto* form = qobject_cast<Form*>(static_cast<QWidget*>(object)->window());
        if (form == nullptr) {
            return false;
        }
        if (type == QEvent::MouseButtonPress) {
            RunHandler([form] { FocusModel::instance().mousePressed(form); });
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (type == QEvent::KeyRelease) {
            // Only the release of a dropped key: a control that saw the press (a spin edit
            // stepping while the key is held) must see its release, wherever the focus went.
            return key->isAutoRepeat() ? droppedKeys_.contains(key->key())
                                       : droppedKeys_.remove(key->key());
        }
        if (key->isAutoRepeat()) {
            return droppedKeys_.contains(key->key());
        }
        bool dropped = false;
        RunHandler([form, &dropped] { dropped = FocusModel::instance().keyPressed(form); });
        if (dropped) {
            droppedKeys_.insert(key->key());
        }
        return dropped;
    }

  private:
    QSet<int> droppedKeys_;
};

void InstallApplicationHooks() {
    static const bool installed = [] {
        QAccessible::installFactory(AccessibleFormFactory);
        QApplication::instance()->installEventFilter(new InputWatcher(QApplication::instance()));
        return true;
    }();
    Q_UNUSED(installed);
}
}  // namespace

Form::Form(Frame frame) : QWidget(nullptr, FlagsFor(frame)), frame_(frame) {
    InstallApplicationHooks();
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

void Form::showEvent(QShowEvent* event) {
    // The native window exists and is not mapped yet: the window manager reads the frame's
    // offer when it takes the window on.
    if (frame_ == Frame::Single) {
        OfferFrame(this, {.systemMenu = true, .minimize = true, .close = true});
    } else if (frame_ == Frame::Dialog) {
        OfferFrame(this, {});
    }
    QWidget::showEvent(event);
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
    } else if (event->type() == QEvent::WindowDeactivate) {
        FocusModel::instance().systemDeactivated(this);
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
