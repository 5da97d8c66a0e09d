// Pixel storage and access of the raster picture; the copies are in bitmap_copy.cpp.
#include "toolkit/bitmap.h"

namespace toolkit {

namespace {
constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
}  // namespace

Bitmap::Bitmap(int width, int height, std::uint32_t fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(std::size_t(width_) * std::size_t(height_), (fill & kRgbMask) | kOpaque) {}

std::uint32_t Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return pixels_[std::size_t(y) * width_ + x] & kRgbMask;
}

void Bitmap::setPixel(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    pixels_[std::size_t(y) * width_ + x] = (rgb & kRgbMask) | kOpaque;
}

bool Bitmap::operator==(const Bitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

}  // namespace toolkit
