// The pointer display count: the mouse pointer is hidden over the program while it is negative.
#pragma once

namespace toolkit {

// Raises (true) or lowers (false) the count by one and returns the new count.
int ShowCursor(bool show);
int PointerDisplayCount();

// Lowers the count in pairs until it is negative; at least one pair.
void HidePointer();
// Raises the count in pairs until it is 1 or more; at least one pair.
void ShowPointer();

}  // namespace toolkit
