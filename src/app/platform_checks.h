// Checks of the system the program starts on: its display, made before Qt opens its window
// system, and its fonts.
#pragma once

namespace app {

// True where the program would draw through X11 or Wayland and neither display is named;
// Qt would then abort with a backtrace. False on systems whose window system needs no such
// setting, and on Qt's platforms that draw without a display.
bool DisplayMissing();

// True on Windows, which has the design's own fonts, "MS Sans Serif" and "Arial Black", and
// in Qt its own fallbacks for their missing sizes and scripts. Other systems need stand-ins
// with Cyrillic glyphs (toolkit::InstallFontSubstitutes).
bool SystemHasDesignFonts();

}  // namespace app
