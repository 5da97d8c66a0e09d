// Whether a shot hit: the point of impact against the target as the lens shows it.
#pragma once

#include <cstdint>

#include "exercise/exercise_state.h"

namespace exercise {

// A point in picture coordinates, wide enough that no arithmetic on 32-bit control
// coordinates overflows.
struct PicturePoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const PicturePoint&) const = default;
};

// Where the lens, centred on twice the cursor and enlarging magnifyNum / magnifyDen times,
// shows the target's centre: 2c - (2c - 2t) * num div den on each axis, multiplied before
// divided, the division truncating toward zero. magnifyDen must not be 0.
PicturePoint MagnifiedTargetCentre(std::int32_t cursorX, std::int32_t cursorY, std::int32_t targetX,
                                   std::int32_t targetY, std::uint8_t magnifyNum,
                                   std::uint8_t magnifyDen);

// The straight-line distance in picture pixels, computed in floating point.
double DistanceToImpact(PicturePoint target, std::int32_t impactX, std::int32_t impactY);

// A shot hits when it lands strictly less than this far from the magnified target.
inline constexpr double HitRadius = 25.0;

bool IsHitDistance(double distance);

// The hit test of a shot from the record: cursor, target, magnification and the final point
// of impact.
bool ShotHits(const TExerciseState& state);

}  // namespace exercise
