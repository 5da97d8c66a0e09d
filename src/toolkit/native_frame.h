// What a window's frame offers, told to the window manager in the terms it reads.
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

}  // namespace toolkit
