// Views of a Bitmap as Qt images, for the controls that show pictures.
#include "raster/bitmap_image.h"

#include <algorithm>

namespace raster {

QImage WrapBitmap(const Bitmap& picture) {
    return QImage(reinterpret_cast<const uchar*>(picture.bits()), picture.width(), picture.height(),
                  picture.width() * 4, QImage::Format_RGB32);
}

QImage KeyedImage(const Bitmap& picture, const Rect& area) {
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.right, picture.width());
    const int bottom = std::min(area.bottom, picture.height());
    if (right <= left || bottom <= top) {
        return {};
    }
    QImage keyed(right - left, bottom - top, QImage::Format_ARGB32_Premultiplied);
    const std::uint32_t key = picture.pixel(0, picture.height() - 1);
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* source = picture.scanLine(y);
        auto* target = reinterpret_cast<std::uint32_t*>(keyed.scanLine(y - top));
        for (int x = left; x < right; ++x) {
            // Opaque pixels are premultiplied as they are; see-through ones are all zero.
            target[x - left] = (source[x] & 0xFFFFFF) == key ? 0 : source[x];
        }
    }
    return keyed;
}

}  // namespace raster
