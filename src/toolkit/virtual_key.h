// Windows virtual-key codes of Qt key presses, as the key handlers of the windows expect them.
#pragma once

class QKeyEvent;

namespace toolkit {

// The virtual-key code of the pressed key (13 for either Enter key, 38 and 40 for Up and
// Down, uppercase ASCII for letters), or 0 for a key without one.
int VirtualKeyCode(const QKeyEvent& event);

}  // namespace toolkit
