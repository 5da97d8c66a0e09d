// The program's one focused window, and the order in which focus changes run the handlers.
#pragma once

#include <QPointer>
#include <QtGlobal>
#include <functional>
#include <vector>

#include "toolkit/timer.h"

namespace toolkit {

class Form;

// Every show, hide and change of active control goes through here. The handlers run
// synchronously and nested, before the call returns: the show handler of a hidden window,
// then the deactivation handler of the window losing the focus, then the activation handler
// of the window gaining it. Only when the outermost change is complete does the window system
// hear of it, and only of its net result: windows shown, the focused window raised and
// activated, windows hidden, in that order. A window shown and hidden again inside one change
// never reaches the screen, where a window manager could still map it after the hide.
//
// What the window system tells us is weighed by the evidence it carries, and nothing it says
// alone runs a handler twice or ends a test. Each request of ours to activate a window, and
// each window we map (a window manager may activate it as it maps it), is kept as a send;
// one handler's work (kOneChangeMs) for one window, with nothing between, is one entry and
// asks for it once, and one activation answers it.
// A notice closes the oldest open send for its window (window managers answer in order); a
// send is expected for kAnswerHorizonMs, a request's whole life with its retries. So an answer
// that comes after the model has moved on is known as an answer, not taken for a choice. An
// answer also closes the retries sent before the send it answers: the window manager has
// handled them, in order, and they changed nothing on the screen (a request for the window
// already active gets no notice), so a later choice of their window is the trainee's. A
// window of ours that leaves the screen while it is active there, or asked for, owes at most
// one replacement: the window manager's pick in its place, which comes before the answer to
// what we sent with or after the departure, or just after it (kReplacementGraceMs; Wine). A
// notice that may be either closes the send and keeps the departure owed, so whichever of the
// two is still to come is known too. A notice for the window the screen reported last is a
// repeat and answers nothing. Any other activation of a visible window of ours is the
// trainee's choice (a title bar, the task bar, Alt-Tab), at any moment, during a request or not.
//
// States: Settled (no request on its way), Asking (a request for the focused window is on its
// way), Refused (it went unanswered through its retries and the screen keeps another window
// active; the model keeps its own window, in front). Notices and what each does:
//
//   notice                              | Settled          | Asking              | Refused
//   ------------------------------------+------------------+---------------------+-----------------
//   activated: the focused window       | -                | answered: Settled   | Settled
//   activated: an asked-for other       | ask again        | - (ours follows)    | ask again
//     window (a late or repeated answer)|                  |                     |
//   activated: the replacement owed     | ask again        | - (ours follows)    | ask again
//     for a window that left the screen |                  |                     |
//     (or a notice that may be either,  |                  |                     |
//     which closes the send)            |                  |                     |
//   activated: any other visible window | focus it         | focus it            | focus it
//     (the trainee's choice)            |                  |                     |
//   activated: a window the program hid | -                | -                   | -
//   activated: the window the screen    | -                | -                   | -
//     reported last (a repeat)          |                  |                     |
//   press on another visible window     | focus it         | focus it            | focus it
//   key into another window             | drop it, ask     | drop it             | drop it, ask
//                                       | again            |                     | again
//   a window of ours leaves the screen  | owes a replacement if active there or asked for
//   the request's time-out              | -                | send again; after   | -
//                                       |                  | the retries Refused |
//
// "Focus it" runs the deactivation and activation handlers as any change does; "ask again"
// sends a fresh request for the focused window (Asking). A key that went to a window the
// model does not hold is dropped before any control sees it: it can press no default button
// and step no spin edit, so Enter in the window the screen kept can never end the program.
// A choice or a press leaves the sends for earlier windows open: their late answers are
// known as such. Focus going to another application runs no handler.
class FocusModel {
  public:
    static FocusModel& instance();

    Form* focused() const { return focused_; }

    void show(Form* window);
    void hide(Form* window);
    void bringToFront(Form* window);
    // Makes `window` the focused window, running the handlers if the focus moves.
    void focus(Form* window);

    // Notices from the window system: a window of the program became active there, or
    // stopped being it (another window, or another application, took its place).
    void systemActivated(Form* window);
    void systemDeactivated(Form* window);
    // A mouse button pressed on a window of the program.
    void mousePressed(Form* window);
    // A key typed into a window of the program (not one repeated by holding it down). Returns
    // whether the key must be dropped: it went to a window the model does not hold.
    bool keyPressed(Form* window);
    // A window being destroyed leaves the model without handlers running.
    void forget(Form* window);

    // The program windows from bottom to top.
    const std::vector<Form*>& stacking() const { return stacking_; }

    // Milliseconds of a monotonic clock; the soak test runs the model on a clock of its own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);

    // How long a request of ours may take before it is sent again, generous for a compositing
    // window manager on a slow machine; how often it is sent again; how long after a send its
    // answer is still expected; and how soon after our window's answer a replacement may follow.
    static constexpr int kRequestTimeoutMs = 2500;
    static constexpr int kRequestRetries = 2;
    static constexpr int kAnswerHorizonMs = kRequestTimeoutMs * (kRequestRetries + 1);
    static constexpr int kReplacementGraceMs = 250;
    // Sends this close together come from one handler's work, not from two acts.
    static constexpr int kOneChangeMs = 50;

    enum class State { Settled, Asking, Refused };
    State state() const { return state_; }
    bool requestPending() const { return state_ == State::Asking; }
    // The request timer's tick: once the request has had its time, sends it again or, after
    // the retries, leaves the model as it is (Refused).
    void requestTimedOut();

    // What the window system is told, in order; tests watch it.
    enum class ScreenStep { Show, Activate, Hide };
    using ScreenObserver = std::function<void(ScreenStep, const Form*)>;
    void setScreenObserver(ScreenObserver observer) { screenObserver_ = std::move(observer); }
    // Every completed hand-over of the focus, after the gaining window's activation handler.
    using FocusObserver = std::function<void(const Form* losing, const Form* gaining)>;
    void setFocusObserver(FocusObserver observer) { focusObserver_ = std::move(observer); }

  private:
    FocusModel();
    void raise(Form* window);
    Form* topmostVisibleOtherThan(const Form* window) const;
    void settle();
    void send();
    void askAgain();
    void armRequestTimer(int milliseconds);
    void stopRequest(State next);
    void takeTheTraineesChoice(Form* window);
    void tellScreen(ScreenStep step, const Form* window) const;
    void windowLeavesScreen(const Form* window);
    // Evidence: whether an open send names `window` (and, if so, closes it).
    bool answersASend(const Form* window);
    // Closes the oldest open send for `window`, telling nothing of how far the window
    // manager has got.
    bool forgetASend(const Form* window);
    // Keeps a send for `window`; returns whether it joins one that already asked for it.
    bool remember(Form* window, bool request);
    void heardOf(qint64 sentAt);
    bool replacementOwed() const;
    // Drops the sends past their horizon, and the departures whose replacement can no longer
    // come: past the horizon, or once our window was answered and the grace has passed.
    void forgetOldEvidence();

    Form* focused_ = nullptr;
    std::vector<Form*> stacking_;
    int depth_ = 0;
    State state_ = State::Settled;
    // The window the screen last said is active, from its own notices.
    Form* screenActive_ = nullptr;
    // The current request: when it was sent (again), how often again.
    qint64 requestedAt_ = 0;
    int retries_ = 0;
    // Our sends still unanswered, oldest first.
    // Sends for one window in a row are one entry, from its first to its last.
    struct Send {
        Form* window;
        qint64 first;
        qint64 last;
        bool requested;
        // Sent again after the request's time-out.
        bool retry;
    };
    std::vector<Send> sends_;
    bool lastSendOpen_ = false;
    // When windows of ours left the screen, each owing one replacement; the time of the latest
    // send the window manager has answered, and when we heard that answer.
    std::vector<qint64> departures_;
    qint64 workedThrough_ = -1;
    qint64 workedThroughHeardAt_ = 0;
    Clock clock_;
    ScreenObserver screenObserver_;
    FocusObserver focusObserver_;
    // Owned by the application object, created with the first request.
    QPointer<Timer> requestTimer_;
};

}  // namespace toolkit
