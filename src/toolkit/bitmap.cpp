// Pixel storage and access of the raster picture; the copies are in bitmap_copy.cpp.
#include "toolkit/bitmap.h"

namespace toolkit {

Bitmap::Bitmap(int width, int height, std::uint32_t fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(std::size_t(width_) * std::size_t(height_), (fill & kRgbMask) | kOpaque) {}

bool Bitmap::operator==(const Bitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

}  // namespace toolkit
