// The program's one focused window, and the order in which focus changes run the handlers.
#pragma once

#include <QElapsedTimer>
#include <vector>

namespace toolkit {

class Form;

// Every show, hide and change of active control goes through here. The handlers run
// synchronously and nested, before the call returns: the show handler of a hidden window,
// then the deactivation handler of the window losing the focus, then the activation handler
// of the window gaining it. Only afterwards is the window system asked to raise and activate
// the focused window; its notices that come back are echoes and change nothing. A notice
// that a program window became active while no request of ours is on its way is the
// trainee's doing (a click on another window, a close from the title bar) and moves the
// focus like any other change.
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
    // A window being destroyed leaves the model without handlers running.
    void forget(Form* window);

    // The program windows from bottom to top.
    const std::vector<Form*>& stacking() const { return stacking_; }

    // How long a request of ours may take before a notice counts as the trainee's again.
    static constexpr int kRequestTimeoutMs = 1000;

  private:
    void raise(Form* window);
    Form* topmostVisibleOtherThan(const Form* window) const;
    void requestSystemActivation();

    Form* focused_ = nullptr;
    std::vector<Form*> stacking_;
    int depth_ = 0;
    Form* requested_ = nullptr;
    QElapsedTimer requestAge_;
};

}  // namespace toolkit
