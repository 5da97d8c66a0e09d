// The global references of the four windows, and their creation and destruction.
#pragma once

#include <memory>

#include "toolkit/accessible_names.h"
#include "toolkit/form.h"

class TForm1;
class TForm2;
class TForm3;
class TForm4;

// Every handler reaches another window only through these, so after the exercise window has
// been created anew the handlers act on the new one.
extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;

namespace ui {

// The application owns the windows.
void AdoptWindow(std::unique_ptr<toolkit::Form> window);
// Destroys a window at once, before anything else runs.
void DestroyWindow(toolkit::Form* window);
// Destroys every window, the newest first; at the end of the run.
void DestroyAllWindows();
int LiveWindowCount();

// Creates a window from its layout: the reference is set and the controls and pictures are
// loaded before the creation handler runs, since that handler may already reach the window
// through its reference.
template <typename Window>
Window* CreateForm(Window*& reference) {
    auto window = std::make_unique<Window>();
    reference = window.get();
    AdoptWindow(std::move(window));
    toolkit::NameControlsForAccessibility(reference);
    reference->FormCreate();
    return reference;
}

}  // namespace ui
