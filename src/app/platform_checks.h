// Checks of the system the program starts on, made before Qt opens its window system.
#pragma once

namespace app {

// True where the program would draw through X11 or Wayland and neither display is named;
// Qt would then abort with a backtrace. False on systems whose window system needs no such
// setting, and on Qt's platforms that draw without a display.
bool DisplayMissing();

}  // namespace app
