// What a window's frame offers and which window a dialog belongs to, told to the window
// system in the terms it reads.
#pragma once

class QWidget;

namespace toolkit {

struct FrameOffer {
    bool systemMenu = false;
    bool minimize = false;
    bool close = false;
};

// Tells the window manager which title-bar buttons and functions the frame of `window` has,
// and that it neither resizes nor maximizes, where the window system has a way to say so
// that every window manager reads (the Motif hints on X11). Runs before the window is
// mapped; on other systems Qt's window flags say enough.
void OfferFrame(QWidget* window, const FrameOffer& offer);

// On Wayland, where no window places itself, ties `dialog` to `owner` (or to nothing), so that
// the compositor opens it over the owner and keeps it above it. Runs before the dialog is
// shown. On X11 the windows stay plain top-level windows, placed where they were designed.
void TieToOwner(QWidget* dialog, QWidget* owner);

// Whether the X display the program will open states its screen density in its resources
// (Xft.dpi), as the desktops that scale their windows do. Asked before Qt opens the display;
// true where there is no X display to ask.
bool XDisplayStatesDensity();

}  // namespace toolkit
