// The wind of a shooting round: which arrow a draw gives, how it moves the point of impact at
// set-up, and what the status bar says while the arrow blinks.
#pragma once

#include <QString>
#include <cstdint>

namespace exercise {

// The values are the Tags the four wind image controls carry, so an arrow control maps to
// its wind through WindArrowFromTag(control.Tag).
enum class WindArrow : int {
    None = 0,
    Wind = 1,
    Wind_diag = 2,
    Wind_l = 3,
    Wind_diag_l = 4,
};

// None for any Tag that is not one of the four arrows.
WindArrow WindArrowFromTag(int tag);

struct WindChoice {
    WindArrow arrow = WindArrow::None;
    int impactShift = 0;  // picture pixels added to ImpactX at set-up
};

// The wind for a draw from 0 to 7. The left arrows are not mirror images of the right ones:
// Wind_l shifts by +9 where Wind shifts by -144. A draw outside 0..7 gives no wind.
WindChoice WindForDraw(std::uint32_t draw);

// The number of values the wind draw takes.
inline constexpr std::uint32_t WindDrawCount = 8;

// The status-bar text for a blinking arrow; empty for None.
QString WindStatusText(WindArrow arrow);

}  // namespace exercise
