// A lowered rectangular frame line that groups controls and takes no input.
#include "toolkit/bevel.h"

namespace toolkit {

Bevel::Bevel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Sunken);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

}  // namespace toolkit
