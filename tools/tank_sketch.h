// The tank's shapes projected onto the picture plane, then stretched into a box of the canvas.
#pragma once

#include <vector>

#include "label_canvas.h"
#include "tank_geometry.h"

namespace artwork {

// Chooses the label of a face from the way it faces.
using FaceLabel = int (*)(const Face& face);

class TankSketch {
  public:
    explicit TankSketch(const Camera& camera) : camera_(camera) {}

    // The faces of a convex solid that turn towards the camera never overlap, so they go down
    // in any order; the faces turned away are left out.
    void solid(const Solid& solid, FaceLabel labelFor);
    // A wheel or a hub: the circle of `radius` about `centre` in the tank's side plane.
    void disc(Vector3 centre, double radius, int label);
    // A round bar such as the gun, kept at least `minimumPixels` thick however small the
    // picture.
    void bar(Vector3 from, Vector3 to, double thickness, double minimumPixels, int label);
    // A flat patch such as a shadow, drawn whichever way it faces.
    void flat(const std::vector<Vector3>& corners, int label);

    // Draws everything sketched so far, in order, stretched so that it just fills the box
    // (left, top, width, height) of the canvas.
    void drawInto(LabelCanvas& canvas, double left, double top, double width, double height) const;

  private:
    struct Mark {
        Polygon outline;  // a filled outline, or the two ends of a bar
        int label = 0;
        double barWidth = 0.0;  // zero for a filled outline
        double minimumPixels = 0.0;
    };

    void outline(const std::vector<Vector3>& corners, int label);

    Camera camera_;
    std::vector<Mark> marks_;
};

}  // namespace artwork
