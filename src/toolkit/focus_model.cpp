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
        const Form* const lost = losing;
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
        if (focusObserver_) {
            focusObserver_(lost, window);
        }
    }
    settle();
}

void FocusModel::settle() {
    if (depth_ > 0) {
        return;
    }
    forgetOldEvidence();
    // Bottom to top, so that windows shown together keep their order on the screen.
    const std::vector<Form*> windows = stacking_;
    for (Form* window : windows) {
        if (window->Visible() && !window->isVisible()) {
            tellScreen(ScreenStep::Show, window);
            // A window manager may activate a window as it maps it: that notice is its doing.
            remember(window, false);
            window->QWidget::show();
        }
    }
    if (focused_ != nullptr && focused_->isVisible()) {
        focused_->QWidget::raise();
        focused_->giveKeyboardFocus();
        if (screenActive_ == focused_) {
            stopRequest(State::Settled);
        } else {
            retries_ = 0;
            send();
        }
    }
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

void FocusModel::send() {
    const bool askedAlready = remember(focused_, true);
    requestedAt_ = clock_();
    state_ = State::Asking;
    armRequestTimer(kRequestTimeoutMs);
    if (!askedAlready) {
        tellScreen(ScreenStep::Activate, focused_);
        focused_->activateWindow();
    }
}

void FocusModel::askAgain() {
    if (focused_ == nullptr || !focused_->Visible() || !focused_->isVisible()) {
        return;
    }
    focused_->QWidget::raise();
    focused_->giveKeyboardFocus();
    retries_ = 0;
    send();
}

bool FocusModel::remember(Form* window, bool request) {
    const qint64 now = clock_();
    // One handler's work (kOneChangeMs) that shows and asks for one window, with nothing
    // between, is one entry and one request: the window manager works through its queue in
    // order, and a second request could reactivate the window after the trainee, or another
    // program, took the keyboard meanwhile. Sends further apart (a retry) each get their own.
    if (lastSendOpen_ && !sends_.empty() && sends_.back().window == window &&
        now - sends_.back().last <= kOneChangeMs) {
        Send& last = sends_.back();
        const bool requestedAlready = last.requested;
        last.last = now;
        last.requested = last.requested || request;
        return requestedAlready && request;
    }
    sends_.push_back({window, now, now, request, request && retries_ > 0});
    lastSendOpen_ = true;
    return false;
}

void FocusModel::windowLeavesScreen(const Form* window) {
    // Only a window that is, or may be about to be, the active one has a successor to pick.
    const bool asked = std::any_of(sends_.begin(), sends_.end(),
                                   [window](const Send& sent) { return sent.window == window; });
    if (window != screenActive_ && !asked) {
        return;
    }
    departures_.push_back(clock_());
    // The window manager handles the departure between the sends before it and after it.
    lastSendOpen_ = false;
}

void FocusModel::tellScreen(ScreenStep step, const Form* window) const {
    if (screenObserver_) {
        screenObserver_(step, window);
    }
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

void FocusModel::stopRequest(State next) {
    if (requestTimer_ != nullptr) {
        requestTimer_->SetEnabled(false);
    }
    state_ = next;
}

bool FocusModel::forgetASend(const Form* window) {
    lastSendOpen_ = false;
    // The window manager answers in the order we asked: the oldest open send for the window.
    const auto found = std::find_if(sends_.begin(), sends_.end(),
                                    [window](const Send& sent) { return sent.window == window; });
    if (found == sends_.end()) {
        return false;
    }
    sends_.erase(found);
    return true;
}

bool FocusModel::answersASend(const Form* window) {
    lastSendOpen_ = false;
    const auto found = std::find_if(sends_.begin(), sends_.end(),
                                    [window](const Send& sent) { return sent.window == window; });
    if (found == sends_.end()) {
        return false;
    }
    heardOf(found->last);
    // The window manager handles activation requests in the order they came: the retries we
    // sent before the answered send it has handled too, and those still open changed nothing
    // on the screen (they asked for a window already active, or were refused). Kept open,
    // one would take the trainee's later choice of its window for its answer.
    const auto answered = sends_.erase(found);
    sends_.erase(
        std::remove_if(sends_.begin(), answered, [](const Send& sent) { return sent.retry; }),
        answered);
    return true;
}

void FocusModel::heardOf(qint64 sentAt) {
    // The window manager has worked through what we told it at `sentAt`, and so through every
    // window that left the screen before.
    if (sentAt >= workedThrough_) {
        workedThrough_ = sentAt;
        workedThroughHeardAt_ = clock_();
    }
}

bool FocusModel::replacementOwed() const {
    // What forgetOldEvidence leaves: the departures whose replacement may still come.
    return !departures_.empty();
}

void FocusModel::forgetOldEvidence() {
    const qint64 now = clock_();
    sends_.erase(
        std::remove_if(sends_.begin(), sends_.end(),
                       [now](const Send& sent) { return now - sent.last >= kAnswerHorizonMs; }),
        sends_.end());
    // A replacement comes before the answer to what we sent with or after the departure, or
    // just after it (Wine).
    const bool graceOver = now - workedThroughHeardAt_ > kReplacementGraceMs;
    departures_.erase(std::remove_if(departures_.begin(), departures_.end(),
                                     [this, now, graceOver](qint64 left) {
                                         return now - left >= kAnswerHorizonMs ||
                                                (workedThrough_ >= left && graceOver);
                                     }),
                      departures_.end());
}

void FocusModel::requestTimedOut() {
    if (state_ != State::Asking) {
        stopRequest(state_);
        return;
    }
    // The deadline is the request's own: a tick due to an earlier request ends nothing.
    const qint64 waited = clock_() - requestedAt_;
    if (waited < kRequestTimeoutMs) {
        armRequestTimer(int(kRequestTimeoutMs - waited));
        return;
    }
    if (screenActive_ == focused_) {
        stopRequest(State::Settled);
        return;
    }
    if (retries_ < kRequestRetries && focused_ != nullptr && focused_->isVisible()) {
        ++retries_;
        focused_->QWidget::raise();
        send();
        return;
    }
    // The window manager keeps another window active without any act of the trainee. The
    // model keeps its window, in front; the trainee's next click or choice of a window
    // settles it, and a key asks for our window again.
    stopRequest(State::Refused);
}

void FocusModel::takeTheTraineesChoice(Form* window) {
    if (window == focused_ || !window->Visible()) {
        return;
    }
    raise(window);
    focus(window);
}

void FocusModel::systemActivated(Form* window) {
    forgetOldEvidence();
    if (window == screenActive_) {
        // The screen says again what it said last: a repeat, which answers nothing.
        return;
    }
    screenActive_ = window;
    if (!window->Visible()) {
        answersASend(window);
        return;
    }
    if (window == focused_) {
        answersASend(window);
        stopRequest(State::Settled);
        return;
    }
    // The window manager's doing: an answer to a send of ours the model has moved on from,
    // or its pick in place of a window of ours that left the screen. While our window's own
    // request is on its way, its answer follows; otherwise ours is asked for again.
    bool wmsDoing = false;
    if (replacementOwed()) {
        // The answer to a send, or the replacement: either way not the trainee's. The send is
        // closed, the departure kept, so whichever of the two is still to come is known too.
        wmsDoing = forgetASend(window);
        if (!wmsDoing) {
            departures_.erase(departures_.begin());
            wmsDoing = true;
        }
    } else {
        wmsDoing = answersASend(window);
    }
    if (wmsDoing) {
        if (state_ != State::Asking) {
            askAgain();
        }
        return;
    }
    takeTheTraineesChoice(window);
}

void FocusModel::systemDeactivated(Form* window) {
    if (screenActive_ == window) {
        screenActive_ = nullptr;
    }
}

void FocusModel::mousePressed(Form* window) {
    if (window == focused_ || !window->Visible()) {
        return;
    }
    lastSendOpen_ = false;
    // The sends for the window the model leaves stay open: their late answers are known.
    takeTheTraineesChoice(window);
}

bool FocusModel::keyPressed(Form* window) {
    if (window == focused_ || focused_ == nullptr) {
        return false;
    }
    // Typed into the window the screen holds while the model holds another: no choice of a
    // window, and no input to a window the trainee may not be looking at.
    if (state_ != State::Asking) {
        askAgain();
    }
    return true;
}

void FocusModel::forget(Form* window) {
    if (window->isVisible()) {
        tellScreen(ScreenStep::Hide, window);
        windowLeavesScreen(window);
    }
    stacking_.erase(std::remove(stacking_.begin(), stacking_.end(), window), stacking_.end());
    sends_.erase(std::remove_if(sends_.begin(), sends_.end(),
                                [window](const Send& sent) { return sent.window == window; }),
                 sends_.end());
    if (screenActive_ == window) {
        screenActive_ = nullptr;
    }
    if (focused_ == window) {
        focused_ = nullptr;
        stopRequest(State::Settled);
    }
    if (stacking_.empty()) {
        // The program's windows are all gone; nothing will take their place.
        departures_.clear();
        sends_.clear();
        workedThrough_ = -1;
    }
}

}  // namespace toolkit
