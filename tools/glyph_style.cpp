// Derives the disabled half of a two-state glyph from its normal half.
#include "glyph_style.h"

namespace artwork {

QImage TwoStateGlyph(const QImage& normal) {
    const int width = normal.width();
    const int height = normal.height();
    const QRgb seeThrough = normal.pixel(0, height - 1);
    QImage glyph(width * 2, height, QImage::Format_RGB32);
    glyph.fill(seeThrough);
    // As the classic buttons do: only the darker colours of the drawing leave a trace.
    auto drawn = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height || normal.pixel(x, y) == seeThrough) {
            return false;
        }
        const QRgb colour = normal.pixel(x, y);
        return qRed(colour) + qGreen(colour) + qBlue(colour) < 400;
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            glyph.setPixel(x, y, normal.pixel(x, y));
            if (drawn(x, y)) {
                glyph.setPixel(width + x, y, 0xFF000000u | Vga::kGrey);
            } else if (drawn(x - 1, y - 1)) {
                glyph.setPixel(width + x, y, 0xFF000000u | Vga::kWhite);
            }
        }
    }
    return glyph;
}

}  // namespace artwork
