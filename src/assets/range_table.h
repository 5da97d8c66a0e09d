// The true range of a target by the height of its sprite.
#pragma once

#include <array>
#include <cstdint>

namespace assets {

// Ranges in metres for sprite height / 5 from kRangeByHeightFirstIndex on (indices 5 to
// 16). No sprite is 55, 60 or 70 pixels high, so indices 11, 12 and 14 hold 0.
constexpr int kRangeByHeightFirstIndex = 5;
constexpr std::array<std::int32_t, 12> RangeByHeight = {800, 750, 650, 600, 550, 500,
                                                        0,   0,   400, 0,   300, 200};

// Rounds to the nearest integer, an exact half to the even neighbour.
long long RoundHalfToEven(double value);

// The range for a sprite `heightPixels` high; 0 for heights whose index falls outside the
// table, so an unsupported sprite can never read past it.
std::int32_t RangeForHeight(int heightPixels);

}  // namespace assets
