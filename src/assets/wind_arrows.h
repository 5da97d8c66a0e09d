// The four wind arrows of the exercise window, named by the Tags their image controls carry.
#pragma once

namespace assets {

// The values are the Tags of the arrow controls, so a control maps to its arrow through
// WindArrowFromTag(control.Tag).
enum class WindArrow : int {
    None = 0,
    Wind = 1,         // arrows right
    Wind_diag = 2,    // arrows up and to the right
    Wind_l = 3,       // arrows left
    Wind_diag_l = 4,  // arrows down and to the left
};

// None for any Tag that is not one of the four arrows.
WindArrow WindArrowFromTag(int tag);

}  // namespace assets
