// Where the shell lands below the aim point: the drop for the target's range, and the shot
// that would land in the sky.
#pragma once

#include <cstdint>

namespace exercise {

// Picture pixels the point of impact falls below the aim point at a range in metres: 2, 32,
// 60 and 95 for 200 to 500 m, the only ranges the shooting exercise uses; 0 for any other.
int RangeDrop(int rangeMetres);

// A point of impact above picture row 400 would be in the sky, where no burst can be seen; it
// is moved into the foreground, to 700 + 10 * (impactY rem 7) with the remainder taking the
// sign of impactY, so between 640 and 760. Rows from 400 down are returned unchanged.
std::int32_t ShotIntoSky(std::int32_t impactY);

// The final ImpactY of a shot: the drop for the range added, then the sky rule applied.
// impactY is a picture row derived from the mouse, far from the int range's ends.
std::int32_t ImpactYAfterDrop(std::int32_t impactY, int rangeMetres);

}  // namespace exercise
