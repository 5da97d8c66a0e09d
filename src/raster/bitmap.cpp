// Pixel storage and access of the raster picture; the copies are in bitmap_copy.cpp.
#include "raster/bitmap.h"

#include <atomic>

namespace raster {

Bitmap::Bitmap(int width, int height, std::uint32_t fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(std::size_t(width_) * std::size_t(height_), (fill & kRgbMask) | kOpaque) {}

std::uint64_t Bitmap::stamp() const {
    static std::atomic<std::uint64_t> last{0};
    if (stamp_ == 0) {
        stamp_ = last.fetch_add(1, std::memory_order_relaxed) + 1;
    }
    return stamp_;
}

bool Bitmap::operator==(const Bitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

}  // namespace raster
