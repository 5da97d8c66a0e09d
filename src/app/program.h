// The program's life: creation of the windows in their order, and its end.
#pragma once

#include <functional>

namespace app {

// Creates the image store (which creates the exercise window, which creates the mode window)
// and the completion dialog, then shows the main window, the mode window.
void StartProgram();
// Destroys every window; after the message loop has ended.
void EndProgram();

// Ends the message loop; the "Выход" buttons call it. Tests watch it through the hook.
void Terminate();
bool Terminated();
void SetTerminateHook(std::function<void()> hook);

}  // namespace app
