// Projecting the tank's shapes and fitting them into the picture's box.
#include "tank_sketch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace artwork {

void TankSketch::solid(const Solid& solid, FaceLabel labelFor) {
    for (const Face& face : solid) {
        if (camera_.sees(face)) {
            outline(face.corners, labelFor(face));
        }
    }
}

void TankSketch::disc(Vector3 centre, double radius, int label) {
    const double fullTurn = 2.0 * 3.14159265358979323846;
    const int steps = 24;
    std::vector<Vector3> rim;
    for (int i = 0; i < steps; ++i) {
        const double angle = fullTurn * i / steps;
        rim.push_back(centre + Vector3{std::cos(angle), 0.0, std::sin(angle)} * radius);
    }
    outline(rim, label);
}

void TankSketch::bar(Vector3 from, Vector3 to, double thickness, double minimumPixels, int label) {
    const double width = camera_.apparentSize((from + to) * 0.5, thickness);
    marks_.push_back({{camera_.project(from), camera_.project(to)}, label, width, minimumPixels});
}

void TankSketch::flat(const std::vector<Vector3>& corners, int label) {
    outline(corners, label);
}

void TankSketch::outline(const std::vector<Vector3>& corners, int label) {
    Polygon projected;
    for (const Vector3& corner : corners) {
        projected.push_back(camera_.project(corner));
    }
    marks_.push_back({std::move(projected), label});
}

void TankSketch::drawInto(LabelCanvas& canvas, double left, double top, double width,
                          double height) const {
    double minimumX = std::numeric_limits<double>::max();
    double minimumY = minimumX;
    double maximumX = -minimumX;
    double maximumY = -minimumX;
    for (const Mark& mark : marks_) {
        const double reach = mark.barWidth / 2.0;
        for (const Point& point : mark.outline) {
            minimumX = std::min(minimumX, point.x - reach);
            minimumY = std::min(minimumY, point.y - reach);
            maximumX = std::max(maximumX, point.x + reach);
            maximumY = std::max(maximumY, point.y + reach);
        }
    }
    const double scaleX = width / (maximumX - minimumX);
    const double scaleY = height / (maximumY - minimumY);
    for (const Mark& mark : marks_) {
        Polygon placed;
        for (const Point& point : mark.outline) {
            placed.push_back(
                {left + (point.x - minimumX) * scaleX, top + (point.y - minimumY) * scaleY});
        }
        if (mark.barWidth == 0.0) {
            canvas.fillPolygon(placed, mark.label);
        } else {
            // Bars lie nearly level, so their thickness follows the vertical scale.
            const double pixels = std::max(mark.barWidth * scaleY, mark.minimumPixels);
            canvas.fillStroke(placed[0], placed[1], pixels, mark.label);
        }
    }
}

}  // namespace artwork
