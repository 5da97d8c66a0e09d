// The general rectangle copy alone, without the fast paths Bitmap::copyRect takes where it
// can: the yardstick the tests hold those paths to, pixel for pixel.
#pragma once

#include "raster/bitmap.h"

namespace raster {

// Looks up the source pixel of every destination pixel, row by row, under the destination's
// copy mode; clips and returns what it wrote exactly as Bitmap::copyRect does.
Rect CopyRectGeneral(Bitmap& destination, const Rect& to, const Bitmap& source, const Rect& from);

}  // namespace raster
