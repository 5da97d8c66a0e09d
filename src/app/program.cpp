// Start and end of the program.
#include "app/program.h"

#include <QApplication>

#include "ui/Image_Unit1.h"
#include "ui/completion_dialog.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"

namespace app {

namespace {
bool terminated = false;
std::function<void()>& TerminateHook() {
    // exit() rather than quit(): quit() asks every window to close first, and ours refuse.
    static std::function<void()> hook = [] { QCoreApplication::exit(0); };
    return hook;
}
}  // namespace

void StartProgram() {
    terminated = false;
    // Creating the image store creates the exercise window, whose creation creates the mode
    // window; the mode window is the first whose creation completes and is the main window.
    ui::CreateForm(Form1);
    ui::CreateForm(Form3);
    Form4->Show();
}

void EndProgram() {
    ui::DestroyAllWindows();
}

void Terminate() {
    terminated = true;
    TerminateHook()();
}

bool Terminated() {
    return terminated;
}

void SetTerminateHook(std::function<void()> hook) {
    TerminateHook() = std::move(hook);
}

}  // namespace app
