// Views of a Bitmap as Qt images, for the controls that show pictures.
#pragma once

#include <QImage>

#include "raster/bitmap.h"

namespace raster {

// The picture's pixels as an image without a copy; valid while the picture is unchanged
// in size and alive.
QImage WrapBitmap(const Bitmap& picture);

// A copy of the part `area` of the picture in which the colour of the picture's
// bottom-left pixel is see-through.
QImage KeyedImage(const Bitmap& picture, const Rect& area);

}  // namespace raster
