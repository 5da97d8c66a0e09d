// The hit test of a shot.
#include "exercise/hit_test.h"

#include <cmath>

namespace exercise {

namespace {

std::int64_t MagnifiedCoordinate(std::int32_t cursor, std::int32_t target, std::uint8_t num,
                                 std::uint8_t den) {
    const std::int64_t lensCentre = std::int64_t{2} * cursor;
    const std::int64_t offset = lensCentre - std::int64_t{2} * target;
    return lensCentre - offset * num / den;
}

}  // namespace

PicturePoint MagnifiedTargetCentre(std::int32_t cursorX, std::int32_t cursorY, std::int32_t targetX,
                                   std::int32_t targetY, std::uint8_t magnifyNum,
                                   std::uint8_t magnifyDen) {
    return {MagnifiedCoordinate(cursorX, targetX, magnifyNum, magnifyDen),
            MagnifiedCoordinate(cursorY, targetY, magnifyNum, magnifyDen)};
}

double DistanceToImpact(PicturePoint target, std::int32_t impactX, std::int32_t impactY) {
    const double dx = static_cast<double>(target.x - impactX);
    const double dy = static_cast<double>(target.y - impactY);
    return std::sqrt(dx * dx + dy * dy);
}

bool IsHitDistance(double distance) {
    return distance < HitRadius;
}

bool ShotHits(const TExerciseState& state) {
    const PicturePoint target =
        MagnifiedTargetCentre(state.CursorX, state.CursorY, state.TargetX, state.TargetY,
                              state.MagnifyNum, state.MagnifyDen);
    return IsHitDistance(DistanceToImpact(target, state.ImpactX, state.ImpactY));
}

}  // namespace exercise
