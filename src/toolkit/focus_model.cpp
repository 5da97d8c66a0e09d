// The focus model: one focused window, handler order, and the window system's notices.
#include "toolkit/focus_model.h"

#include <QApplication>
#include <QElapsedTimer>
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

qint64 MonotonicMilliseconds() {
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

Form* ActiveProgramWindow() {
    return qobject_cast<Form*>(QApplication::activeWindow());
}
}  // namespace

FocusModel::FocusModel() : clock_(MonotonicMilliseconds) {}

FocusModel& FocusModel::instance() {
    static FocusModel model;
    return model;
}

void FocusModel::setClock(Clock clock) {
    clock_ = clock ? std::move(clock) : Clock(MonotonicMilliseconds);
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
        if (*it != window && (*it)->Visible()) {
            return *it;
        }
    }
    return nullptr;
}

void FocusModel::show(Form* window) {
    {
        Nesting nesting(depth_);
        if (!window->Visible()) {
            window->FormShow();
            window->shown_ = true;
        }
        bringToFront(window);
        focus(window);
    }
    settle();
}

void FocusModel::hide(Form* window) {
    {
        Nesting nesting(depth_);
        if (!window->Visible()) {
            return;
        }
        window->shown_ = false;
        if (focused_ == window) {
            if (Form* next = topmostVisibleOtherThan(window)) {
                focus(next);
            }
        }
    }
    settle();
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
    settle();
}

void FocusModel::settle() {
    if (depth_ > 0) {
        return;
    }
    // Bottom to top, so that windows shown together keep their order on the screen.
    const std::vector<Form*> windows = stacking_;
    for (Form* window : windows) {
        if (window->Visible() && !window->isVisible()) {
            tellScreen(ScreenStep::Show, window);
            window->QWidget::show();
        }
    }
    requestSystemActivation(false);
    // Hidden last: the window manager then need not choose a window to activate in place of
    // a focused one that goes away.
    for (Form* window : windows) {
        if (!window->Visible() && window->isVisible()) {
            tellScreen(ScreenStep::Hide, window);
            windowLeavesScreen(window);
            window->QWidget::hide();
        }
    }
}

void FocusModel::windowLeavesScreen(const Form* window) {
    // Only a window that is, or is about to be, the active one has a successor to pick.
    if (window == QApplication::activeWindow() || window == requested_) {
        if (clock_() - leftScreenAt_ >= kRequestTimeoutMs) {
            replacementsDue_ = 0;
        }
        ++replacementsDue_;
        leftScreenAt_ = clock_();
    }
}

void FocusModel::tellScreen(ScreenStep step, const Form* window) const {
    if (screenObserver_) {
        screenObserver_(step, window);
    }
}

void FocusModel::requestSystemActivation(bool again) {
    if (focused_ == nullptr || !focused_->isVisible()) {
        return;
    }
    focused_->QWidget::raise();
    focused_->giveKeyboardFocus();
    if (!again) {
        retries_ = 0;
        // Already active, and no earlier request of ours still on its way that could
        // activate another window after this.
        if (QApplication::activeWindow() == focused_ &&
            (requested_ == nullptr || requested_ == focused_)) {
            endRequest();
            return;
        }
        if (requested_ != nullptr && requested_ != focused_) {
            overtaken_ = requested_;
        }
    }
    // Whatever the screen did before this request, the focus has moved since.
    setAside_ = nullptr;
    tellScreen(ScreenStep::Activate, focused_);
    // Recorded before asking: Qt 5 delivers the notices it still holds from earlier requests
    // from inside the call, and they must meet this request, not the one before it.
    requested_ = focused_;
    requestedAt_ = clock_();
    armRequestTimer(kRequestTimeoutMs);
    focused_->activateWindow();
}

void FocusModel::armRequestTimer(int milliseconds) {
    if (requestTimer_ == nullptr) {
        requestTimer_ = new Timer(QApplication::instance(), milliseconds, false);
        requestTimer_->OnTimer = [] { FocusModel::instance().requestTimedOut(); };
    }
    requestTimer_->SetEnabled(false);
    requestTimer_->SetInterval(milliseconds);
    requestTimer_->SetEnabled(true);
}

void FocusModel::endRequest() {
    if (requestTimer_ != nullptr) {
        requestTimer_->SetEnabled(false);
    }
    requested_ = nullptr;
    overtaken_ = nullptr;
    setAside_ = nullptr;
}

void FocusModel::requestTimedOut() {
    if (requested_ == nullptr) {
        endRequest();
        return;
    }
    // The deadline is the request's own: a tick due to an earlier request ends nothing.
    const qint64 waited = clock_() - requestedAt_;
    if (waited < kRequestTimeoutMs) {
        armRequestTimer(int(kRequestTimeoutMs - waited));
        return;
    }
    Form* const active = ActiveProgramWindow();
    if (active == focused_) {
        endRequest();
        return;
    }
    if (setAside_ != nullptr && setAside_ == active) {
        // The system activated it after we asked and never came back to ours: the trainee
        // chose it from its title bar or the task bar.
        endRequest();
        takeTheScreensChoice(active);
        return;
    }
    if (retries_ < kRequestRetries && focused_ != nullptr && focused_->isVisible()) {
        ++retries_;
        requestSystemActivation(true);
        return;
    }
    // The window manager keeps another window active without any act of the trainee. The
    // model keeps its window, in front; the trainee's next click, key or choice of a window
    // settles it.
    endRequest();
}

void FocusModel::takeTheScreensChoice(Form* window) {
    if (window == focused_ || !window->Visible()) {
        return;
    }
    raise(window);
    focus(window);
}

void FocusModel::systemActivated(Form* window) {
    if (window == requested_) {
        endRequest();
    }
    if (window == focused_ || !window->Visible()) {
        return;
    }
    if (replacementsDue_ > 0 && clock_() - leftScreenAt_ < kRequestTimeoutMs) {
        // The window manager's pick in place of a window of ours that left the screen.
        --replacementsDue_;
        if (requested_ == nullptr) {
            requestSystemActivation(false);
        }
        return;
    }
    if (requested_ != nullptr && clock_() - requestedAt_ < kRequestTimeoutMs) {
        // Probably the window manager still working through what came before our request;
        // if our answer does not follow, the request's time-out looks at the screen again.
        if (window != overtaken_) {
            setAside_ = window;
        }
        return;
    }
    endRequest();
    takeTheScreensChoice(window);
}

void FocusModel::mousePressed(Form* window) {
    if (window == focused_ || !window->Visible()) {
        return;
    }
    endRequest();
    takeTheScreensChoice(window);
}

void FocusModel::keyPressed(Form* window) {
    // While a request is on its way, a key may have been typed before the screen caught up
    // with our change; it is no choice of a window.
    if (requested_ != nullptr) {
        return;
    }
    mousePressed(window);
}

void FocusModel::forget(Form* window) {
    if (window->isVisible()) {
        windowLeavesScreen(window);
    }
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), window), stacking_.end());
    if (focused_ == window) {
        focused_ = nullptr;
    }
    if (requested_ == window) {
        endRequest();
    }
    if (overtaken_ == window) {
        overtaken_ = nullptr;
    }
    if (setAside_ == window) {
        setAside_ = nullptr;
    }
    if (stacking_.empty()) {
        // The program's windows are all gone; nothing will take their place.
        replacementsDue_ = 0;
    }
}

}  // namespace toolkit
