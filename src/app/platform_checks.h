// Checks of the system the program starts on: its display, made before Qt opens its window
// system, and its fonts.
#pragma once

#include <QByteArray>

namespace app {

// True where the program would draw through X11 or Wayland and neither display is named;
// Qt would then abort with a backtrace. False on systems whose window system needs no such
// setting, and on Qt's platforms that draw without a display.
bool DisplayMissing();

// The Qt platforms to open the windows through, in Qt's terms for QT_QPA_PLATFORM, where the
// person chose none: X11 wherever the session offers an X display, as Xwayland does in every
// GNOME and Plasma session, because only there do the windows open at their designed places
// and the dialog over the exercise window; Wayland where that is the only display, and as the
// fallback of an X display that does not answer. Empty where Qt's own choice stands: the
// person named a platform, or the system has no such choice.
QByteArray PlatformToUse();

// True on Windows, which has the design's own fonts, "MS Sans Serif" and "Arial Black", and
// in Qt its own fallbacks for their missing sizes and scripts. Other systems need stand-ins
// with Cyrillic glyphs (toolkit::InstallFontSubstitutes).
bool SystemHasDesignFonts();

}  // namespace app
