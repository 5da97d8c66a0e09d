// The arithmetic of the sight on plain numbers: lens pieces, target points, aim point.
#pragma once

#include <array>

#include "assets/wind_arrows.h"
#include "raster/bitmap.h"

namespace sight {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The lens of every frame starts at this radius and grows ring by ring to its final one.
constexpr int kLensStartRadius = 150;

// One of the 17 scaled copies that build the lens: `source` of the clean landscape goes onto
// `destination` of the view.
struct LensPiece {
    raster::Rect destination;
    raster::Rect source;
};

struct LensLayout {
    std::array<LensPiece, 17> pieces;  // in drawing order
    int finalRadius = 0;               // the radius the lens is left at
};

// The source-side distance for a destination-side distance from the lens centre, dividing
// first: (distance div magnifyNum) * magnifyDen. Distances are non-negative, magnifyNum > 0.
int LensSourceDistance(int distance, int magnifyNum, int magnifyDen);

// The centre square and four rings of four bands (left, top, right, bottom) around picture
// point (cx, cy). The radius grows by the ring's step after each of the first three rings,
// not after the fourth, so a lens started at 150 ends at 194.
LensLayout LensPieces(int cx, int cy, int magnifyNum, int magnifyDen, int startRadius);

// Where the lens shows the target at picture point (targetX, targetY): the centre plus the
// target's offset magnified, the division truncating toward zero. magnifyDen > 0.
Point MagnifiedTargetPoint(int cx, int cy, int targetX, int targetY, int magnifyNum,
                           int magnifyDen);

// Distance tests between two picture points, both strict. They compare squares exactly, so
// a point at a whole-number distance falls on the side the strict comparison puts it.
bool CloserThan(int x1, int y1, int x2, int y2, int limit);
bool FartherThan(int x1, int y1, int x2, int y2, int limit);

// The naked-eye target `man` is drawn only when its true place is farther from the lens
// centre than what the lens magnifies: (magnifyDen * lensRadius) div magnifyNum, 50 for a
// fresh lens. At exactly that distance the lens covers it.
bool TinyTargetShown(int cx, int cy, int targetX, int targetY, int magnifyNum, int magnifyDen,
                     int lensRadius);

// The wind arrows the exercise window can show; at most one is up.
using assets::WindArrow;

// How far the wind moves the aim point across, in picture pixels.
int WindOffset(WindArrow arrow);

// The aim point of a mouse frame in picture pixels (ImpactX, ImpactY before the range drop):
// the mouse point doubled on both axes, moved by the wind, and 60 above the reticle centre.
Point AimPoint(int mouseX, int mouseY, WindArrow arrow);

// The lens centre of a mouse frame: the mouse point doubled, with X held at 574 at most so
// the lens does not follow the pointer off the right edge of the view.
Point LensCentre(int mouseX, int mouseY);

// The area one frame draws in around the lens centre, 484 x 484: the lens's final radius plus
// its last step and the reticle's margin.
raster::Rect SightFrameArea(int cx, int cy);

}  // namespace sight
