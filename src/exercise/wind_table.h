// The wind of a shooting round: which arrow a draw gives, how it moves the point of impact at
// set-up, and what the status bar says while the arrow blinks.
#pragma once

#include "assets/wind_arrows.h"

#include <QString>
#include <cstdint>

namespace exercise {

using assets::WindArrow;
using assets::WindArrowFromTag;

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
