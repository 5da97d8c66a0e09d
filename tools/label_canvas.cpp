// Scanline filling of polygons, ellipses and strokes on the label canvas, and its reduction.
#include "label_canvas.h"

#include <algorithm>
#include <cmath>

namespace artwork {

LabelCanvas::LabelCanvas(int width, int height, int samples)
    : width_(width),
      height_(height),
      samples_(samples),
      labels_(std::size_t(width) * samples * std::size_t(height) * samples, 0) {}

int LabelCanvas::labelAtSample(int sampleX, int sampleY) const {
    return labels_[std::size_t(sampleY) * width_ * samples_ + sampleX];
}

void LabelCanvas::fillSamples(int sampleY, double fromX, double toX, int label, LabelMask over) {
    // Samples sit at the centres of the sub-pixel grid.
    const int rowLength = width_ * samples_;
    const int first = std::max(0, static_cast<int>(std::ceil(fromX * samples_ - 0.5)));
    const int last = std::min(rowLength - 1, static_cast<int>(std::floor(toX * samples_ - 0.5)));
    std::uint8_t* row = labels_.data() + std::size_t(sampleY) * rowLength;
    for (int x = first; x <= last; ++x) {
        if (over & LabelBit(row[x])) {
            row[x] = static_cast<std::uint8_t>(label);
        }
    }
}

void LabelCanvas::fillPolygon(const Polygon& polygon, int label, LabelMask over) {
    if (polygon.size() < 3) {
        return;
    }
    const int rows = height_ * samples_;
    std::vector<double> crossings;
    for (int sampleY = 0; sampleY < rows; ++sampleY) {
        const double y = (sampleY + 0.5) / samples_;
        crossings.clear();
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Point a = polygon[i];
            const Point b = polygon[(i + 1) % polygon.size()];
            if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y)) {
                crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            fillSamples(sampleY, crossings[i], crossings[i + 1], label, over);
        }
    }
}

void LabelCanvas::fillEllipse(Point centre, double radiusX, double radiusY, int label,
                              LabelMask over) {
    const int rows = height_ * samples_;
    for (int sampleY = 0; sampleY < rows; ++sampleY) {
        const double dy = ((sampleY + 0.5) / samples_ - centre.y) / radiusY;
        if (dy * dy >= 1.0) {
            continue;
        }
        const double halfWidth = radiusX * std::sqrt(1.0 - dy * dy);
        fillSamples(sampleY, centre.x - halfWidth, centre.x + halfWidth, label, over);
    }
}

void LabelCanvas::fillStroke(Point from, Point to, double width, int label, LabelMask over) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double half = width / 2.0;
    if (length > 0.0) {
        const double nx = -dy / length * half;
        const double ny = dx / length * half;
        fillPolygon({{from.x + nx, from.y + ny},
                     {to.x + nx, to.y + ny},
                     {to.x - nx, to.y - ny},
                     {from.x - nx, from.y - ny}},
                    label, over);
    }
    fillEllipse(from, half, half, label, over);
    fillEllipse(to, half, half, label, over);
}

void LabelCanvas::fillPolyline(const std::vector<Point>& points, double width, int label,
                               LabelMask over) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        fillStroke(points[i], points[i + 1], width, label, over);
    }
}

QImage LabelCanvas::resolveByMajority(const Palette& palette) const {
    QImage image(width_, height_, QImage::Format_RGB32);
    std::array<int, 64> counts{};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            counts.fill(0);
            for (int sy = 0; sy < samples_; ++sy) {
                for (int sx = 0; sx < samples_; ++sx) {
                    ++counts[labelAtSample(x * samples_ + sx, y * samples_ + sy)];
                }
            }
            // Ties go to the lowest label, so the background wins an even split.
            const auto best = std::max_element(counts.begin(), counts.end()) - counts.begin();
            image.setPixel(x, y, palette[best] | 0xFF000000u);
        }
    }
    return image;
}

QImage LabelCanvas::resolveOverBackground(const Palette& palette) const {
    QImage image(width_, height_, QImage::Format_RGB32);
    const int total = samples_ * samples_;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int drawn = 0;
            int red = 0;
            int green = 0;
            int blue = 0;
            for (int sy = 0; sy < samples_; ++sy) {
                for (int sx = 0; sx < samples_; ++sx) {
                    const int label = labelAtSample(x * samples_ + sx, y * samples_ + sy);
                    if (label != 0) {
                        ++drawn;
                        red += qRed(palette[label]);
                        green += qGreen(palette[label]);
                        blue += qBlue(palette[label]);
                    }
                }
            }
            if (drawn * 2 < total || drawn == 0) {
                image.setPixel(x, y, palette[0] | 0xFF000000u);
            } else {
                image.setPixel(x, y,
                               qRgb((red + drawn / 2) / drawn, (green + drawn / 2) / drawn,
                                    (blue + drawn / 2) / drawn));
            }
        }
    }
    return image;
}

QImage LabelCanvas::resolveAveraged(const Palette& palette) const {
    QImage image(width_, height_, QImage::Format_RGB32);
    const int total = samples_ * samples_;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int red = 0;
            int green = 0;
            int blue = 0;
            for (int sy = 0; sy < samples_; ++sy) {
                for (int sx = 0; sx < samples_; ++sx) {
                    const QRgb colour =
                        palette[labelAtSample(x * samples_ + sx, y * samples_ + sy)];
                    red += qRed(colour);
                    green += qGreen(colour);
                    blue += qBlue(colour);
                }
            }
            image.setPixel(x, y,
                           qRgb((red + total / 2) / total, (green + total / 2) / total,
                                (blue + total / 2) / total));
        }
    }
    return image;
}

}  // namespace artwork
