// Shapes drawn as colour labels at a multiple of the final size, then reduced to pixels
// that are exactly one palette colour or exactly the background.
#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

namespace artwork {

struct Point {
    double x = 0.0;
    double y = 0.0;
};
using Polygon = std::vector<Point>;

// Label 0 is the background. A label mask (bit n for label n) limits a fill to samples that
// already carry one of the masked labels, which is how camouflage stays on the paint.
using LabelMask = std::uint64_t;
constexpr LabelMask kAnyLabel = ~LabelMask{0};
constexpr LabelMask LabelBit(int label) {
    return LabelMask{1} << label;
}

using Palette = std::array<QRgb, 64>;

class LabelCanvas {
  public:
    // `width` x `height` final pixels, each sampled `samples` x `samples` times. Shape
    // coordinates are in final pixels, (0, 0) being the top-left corner of the first pixel.
    LabelCanvas(int width, int height, int samples);

    void fillPolygon(const Polygon& polygon, int label, LabelMask over = kAnyLabel);
    void fillEllipse(Point centre, double radiusX, double radiusY, int label,
                     LabelMask over = kAnyLabel);
    // A straight stroke with round ends.
    void fillStroke(Point from, Point to, double width, int label, LabelMask over = kAnyLabel);
    void fillPolyline(const std::vector<Point>& points, double width, int label,
                      LabelMask over = kAnyLabel);

    int width() const { return width_; }
    int height() const { return height_; }
    int labelAtSample(int sampleX, int sampleY) const;

    // Each pixel takes the most frequent label among its samples: hard edges, palette
    // colours only.
    QImage resolveByMajority(const Palette& palette) const;
    // A pixel is background unless at least half its samples are drawn; a drawn pixel
    // averages the colours of its drawn samples, so edges inside the shape stay smooth while
    // the outline never blends into the background.
    QImage resolveOverBackground(const Palette& palette) const;
    // Every pixel averages all its samples: smooth edges, for pictures without a key colour.
    QImage resolveAveraged(const Palette& palette) const;

  private:
    void fillSamples(int sampleY, double fromX, double toX, int label, LabelMask over);

    int width_;
    int height_;
    int samples_;
    std::vector<std::uint8_t> labels_;
};

}  // namespace artwork
