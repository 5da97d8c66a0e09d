// A small drawing helper for glyphs: shapes in pixel coordinates, colours given directly.
#pragma once

#include <QImage>

#include "label_canvas.h"

namespace artwork {

class GlyphPainter {
  public:
    // The background colour is label 0; shapes are sampled `samples` x `samples` per pixel.
    GlyphPainter(int width, int height, QRgb background, int samples = 4);

    void rect(double left, double top, double right, double bottom, QRgb colour);
    void polygon(const Polygon& points, QRgb colour);
    void ellipse(Point centre, double radiusX, double radiusY, QRgb colour);
    void stroke(const std::vector<Point>& points, double width, QRgb colour);

    // Hard edges, only the colours used: the 16-colour look of button glyphs.
    QImage resolveSharp() const { return canvas_.resolveByMajority(palette_); }
    QImage resolveSmooth() const { return canvas_.resolveAveraged(palette_); }

  private:
    int label(QRgb colour);

    LabelCanvas canvas_;
    Palette palette_{};
    int used_ = 1;
};

}  // namespace artwork
