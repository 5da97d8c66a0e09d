// Loads the pictures that travel inside the program.
#pragma once

#include "raster/bitmap.h"

namespace assets {

// Loads the embedded picture ":/pictures/<name>.png" with its exact colours. Throws
// std::runtime_error naming the picture if there is no such picture.
raster::Bitmap LoadPicture(const char* name);

}  // namespace assets
