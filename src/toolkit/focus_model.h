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
// The window system's notices are inputs. A notice for the window we asked for settles the
// request. A notice for another window while a request is on its way is set aside: it may be
// the window manager catching up, and then the answer to our request follows; if none has
// come when the request's time is out and that window is still active, the trainee chose it
// (the title bar, the task bar) and it stays chosen. Any other notice that a program window
// became active is the trainee's doing and moves the focus like any other change. A mouse
// press on a window that does not hold the focus is the trainee choosing it, whatever is on
// its way; so is a key typed into it once no request of ours is on its way.
//
// When a window of ours leaves the screen (hidden, or destroyed while shown), the window
// manager may activate another in its place, before or after it answers our request; such a
// notice, one for each window that left, is no choice of the trainee, and our window is asked
// for again.
//
// A request the window manager leaves unanswered is sent again. A window manager may refuse
// it for good (focus stealing prevention, a slow or remote desktop); the model then keeps its
// window, which stays in front, and the trainee's next act settles the disagreement. The
// screen alone never ends a test.
class FocusModel {
  public:
    static FocusModel& instance();

    Form* focused() const { return focused_; }

    void show(Form* window);
    void hide(Form* window);
    void bringToFront(Form* window);
    // Makes `window` the focused window, running the handlers if the focus moves.
    void focus(Form* window);

    // Notices from the window system.
    void systemActivated(Form* window);
    // A mouse button pressed on a window of the program.
    void mousePressed(Form* window);
    // A key typed into a window of the program (not one repeated by holding it down).
    void keyPressed(Form* window);
    // A window being destroyed leaves the model without handlers running.
    void forget(Form* window);

    // The program windows from bottom to top.
    const std::vector<Form*>& stacking() const { return stacking_; }

    // Milliseconds of a monotonic clock; the soak test runs the model on a clock of its own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);

    // How long a request of ours may take before a notice counts as the trainee's again,
    // generous for a compositing window manager on a slow machine; and how often an
    // unanswered request is sent again.
    static constexpr int kRequestTimeoutMs = 2500;
    static constexpr int kRequestRetries = 2;
    bool requestPending() const { return requested_ != nullptr; }
    // The request timer's tick: once the request has had its time, takes the window the
    // trainee chose meanwhile, sends the request again, or leaves the model as it is.
    void requestTimedOut();

    // What the window system is told, in order; tests watch it.
    enum class ScreenStep { Show, Activate, Hide };
    using ScreenObserver = std::function<void(ScreenStep, const Form*)>;
    void setScreenObserver(ScreenObserver observer) { screenObserver_ = std::move(observer); }

  private:
    FocusModel();
    void raise(Form* window);
    Form* topmostVisibleOtherThan(const Form* window) const;
    void settle();
    void requestSystemActivation(bool again);
    void armRequestTimer(int milliseconds);
    void endRequest();
    void takeTheScreensChoice(Form* window);
    void tellScreen(ScreenStep step, const Form* window) const;
    void windowLeavesScreen(const Form* window);

    Form* focused_ = nullptr;
    std::vector<Form*> stacking_;
    int depth_ = 0;
    // Our request on its way: the window asked for, when it was asked (again), how often.
    Form* requested_ = nullptr;
    qint64 requestedAt_ = 0;
    int retries_ = 0;
    // The window of an earlier request that a newer one overtook: its late answer is ours,
    // not the trainee's choice.
    Form* overtaken_ = nullptr;
    // The window the system made active while our request was on its way.
    Form* setAside_ = nullptr;
    // Windows of ours left the screen, the last at this time, and the window manager may put
    // another in the place of each (Wine, after the dialog was hidden and the exercise window
    // destroyed, activated the mode window twice).
    int replacementsDue_ = 0;
    qint64 leftScreenAt_ = 0;
    Clock clock_;
    ScreenObserver screenObserver_;
    // Owned by the application object, created with the first request.
    QPointer<Timer> requestTimer_;
};

}  // namespace toolkit
