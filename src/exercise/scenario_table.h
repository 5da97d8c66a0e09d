// The target placements a round draws from.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace exercise {

struct ScenarioPlacement {
    int index = 0;
    std::int32_t TargetX = 0;  // control coordinates of the target's centre
    std::int32_t TargetY = 0;
    std::string_view sprite;  // name of the sprite picture in the image store, "b25" ... "b80"
};

// Rows 0 and 1 are the same placement on purpose: the nearest target comes up twice as often
// in the shooting exercise. Row 16 is never drawn.
inline constexpr std::array<ScenarioPlacement, 17> ScenarioTable{{
    {0, 263, 235, "b80"},
    {1, 263, 235, "b80"},
    {2, 188, 234, "b50"},
    {3, 105, 239, "b65"},
    {4, 426, 242, "b75"},
    {5, 448, 245, "b80"},
    {6, 218, 213, "b25"},
    {7, 257, 205, "b30"},
    {8, 300, 206, "b35"},
    {9, 152, 234, "b40"},
    {10, 408, 271, "b45"},
    {11, 236, 271, "b50"},
    {12, 375, 248, "b30"},
    {13, 499, 252, "b35"},
    {14, 331, 267, "b50"},
    {15, 240, 245, "b35"},
    {16, 172, 202, "b25"},
}};

// How many rows, counted from row 0, the target of a round is drawn from: the shooting
// exercise (mode 0) keeps to the four ranges its drop table knows, rows 0 to 4; the range
// exercise (mode 1) uses rows 0 to 15.
std::uint32_t ScenarioDrawCount(std::uint8_t exerciseMode);

}  // namespace exercise
