// The focus model: one focused window, handler order, and the window system's notices.
#include "toolkit/focus_model.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>

#include "toolkit/form.h"

namespace toolkit {

namespace {
// A handler that keeps moving the focus on would otherwise never let the change finish.
constexpr int kMaxFocusHandOvers = 8;

// Keeps the depth balanced however a nested handler leaves.
class Nesting {
  public:
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

  private:
    int& depth_;
};
}  // namespace

FocusModel& FocusModel::instance() {
    static FocusModel model;
    return model;
}

void FocusModel::raise(Form* window) {
    auto found = std::find(stacking_.begin(), stacking_.end(), window);
    if (found != stacking_.end()) {
        stacking_.erase(found);
    }
    stacking_.push_back(window);
}

Form* FocusModel::topmostVisibleOtherThan(const Form* window) const {
    for (auto it = stacking_.rbegin(); it != stacking_.rend(); ++it) {
        if (*it != window && (*it)->isVisible()) {
            return *it;
        }
    }
    return nullptr;
}

void FocusModel::show(Form* window) {
    {
        Nesting nesting(depth_);
        if (!window->isVisible()) {
            window->FormShow();
            window->QWidget::show();
        }
        bringToFront(window);
        focus(window);
    }
    requestSystemActivation();
}

void FocusModel::hide(Form* window) {
    {
        Nesting nesting(depth_);
        if (!window->isVisible()) {
            return;
        }
        window->QWidget::hide();
        if (focused_ == window) {
            if (Form* next = topmostVisibleOtherThan(window)) {
                focus(next);
            }
        }
    }
    requestSystemActivation();
}

void FocusModel::bringToFront(Form* window) {
    raise(window);
    if (window->isVisible()) {
        window->QWidget::raise();
    }
}

void FocusModel::focus(Form* window) {
    if (window == nullptr || window == focused_) {
        return;
    }
    {
        Nesting nesting(depth_);
        Form* losing = focused_;
        for (int handOver = 0; losing != nullptr && handOver < kMaxFocusHandOvers; ++handOver) {
            focused_ = window;
            losing->FormDeactivate();
            // A deactivation handler may have moved the focus on (the exercise window shows
            // the completion dialog); the change asked for here still wins, and the window
            // that held the focus meanwhile loses it in turn.
            losing = focused_ != window ? focused_ : nullptr;
        }
        focused_ = window;
        window->FormActivate();
    }
    requestSystemActivation();
}

void FocusModel::requestSystemActivation() {
    if (depth_ > 0 || focused_ == nullptr || !focused_->isVisible()) {
        return;
    }
    focused_->QWidget::raise();
    focused_->giveKeyboardFocus();
    if (QApplication::activeWindow() == focused_) {
        return;
    }
    focused_->activateWindow();
    requested_ = focused_;
    requestAge_.start();
}

void FocusModel::systemActivated(Form* window) {
    if (window == requested_) {
        requested_ = nullptr;
    }
    if (window == focused_ || !window->isVisible()) {
        return;
    }
    if (requested_ != nullptr && requestAge_.elapsed() < kRequestTimeoutMs) {
        // Probably the echo of a request of ours that the window system has not finished;
        // look again once that request has had its time.
        QTimer::singleShot(kRequestTimeoutMs, QApplication::instance(), [] {
            FocusModel& model = FocusModel::instance();
            if (auto* active = qobject_cast<Form*>(QApplication::activeWindow())) {
                model.requested_ = nullptr;
                model.systemActivated(active);
            }
        });
        return;
    }
    requested_ = nullptr;
    raise(window);
    focus(window);
}

void FocusModel::forget(Form* window) {
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), window), stacking_.end());
    if (focused_ == window) {
        focused_ = nullptr;
    }
    if (requested_ == window) {
        requested_ = nullptr;
    }
}

}  // namespace toolkit
