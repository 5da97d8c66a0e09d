// Colour-to-label bookkeeping of the glyph drawing helper.
#include "glyph_painter.h"

#include <stdexcept>

namespace artwork {

GlyphPainter::GlyphPainter(int width, int height, QRgb background, int samples)
    : canvas_(width, height, samples) {
    palette_[0] = background & 0xFFFFFF;
}

int GlyphPainter::label(QRgb colour) {
    colour &= 0xFFFFFF;
    for (int i = 1; i < used_; ++i) {
        if (palette_[i] == colour) {
            return i;
        }
    }
    if (used_ == static_cast<int>(palette_.size())) {
        throw std::length_error("too many colours in one glyph");
    }
    palette_[used_] = colour;
    return used_++;
}

void GlyphPainter::rect(double left, double top, double right, double bottom, QRgb colour) {
    canvas_.fillPolygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}},
                        label(colour));
}

void GlyphPainter::polygon(const Polygon& points, QRgb colour) {
    canvas_.fillPolygon(points, label(colour));
}

void GlyphPainter::ellipse(Point centre, double radiusX, double radiusY, QRgb colour) {
    canvas_.fillEllipse(centre, radiusX, radiusY, label(colour));
}

void GlyphPainter::stroke(const std::vector<Point>& points, double width, QRgb colour) {
    canvas_.fillPolyline(points, width, label(colour));
}

}  // namespace artwork
