// Flat-faced solids in the tank's own three-dimensional frame and the camera that projects them.
#pragma once

#include <vector>

#include "label_canvas.h"

namespace artwork {

// Metres in the tank's frame: x forward, y towards the tank's left, z up, the origin on the
// ground under the middle of the hull.
struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

Vector3 operator+(Vector3 a, Vector3 b);
Vector3 operator-(Vector3 a, Vector3 b);
Vector3 operator*(Vector3 a, double factor);
double Dot(Vector3 a, Vector3 b);
Vector3 Cross(Vector3 a, Vector3 b);
Vector3 Normalised(Vector3 a);

struct Face {
    std::vector<Vector3> corners;
    Vector3 outward;  // unit normal pointing out of the solid
};

// A convex solid as its faces.
using Solid = std::vector<Face>;

// The outline `profile` (points of x forward and y standing for z up) swept sideways from
// `rightY` to `leftY`: a hull, a track run.
Solid SweptSideways(const std::vector<Point>& profile, double rightY, double leftY);

// The footprint `footprint` (x forward, y left) raised from `bottom` to `top`, the top face
// shrunk by `topScale` about `footprintCentre` so the walls slope inwards: a turret, a cupola.
Solid Raised(const std::vector<Point>& footprint, Point footprintCentre, double bottom, double top,
             double topScale);

// The solid turned about the vertical line through `pivot` by `angle` radians, positive to the
// tank's left.
Solid TurnedAbout(const Solid& solid, Point pivot, double angle);
Vector3 TurnedAbout(Vector3 point, Point pivot, double angle);

// A perspective camera aimed at a point of the tank.
class Camera {
  public:
    // `azimuth` is measured from straight ahead of the tank towards its right, `elevation`
    // above the horizon, both in radians.
    Camera(Vector3 target, double distance, double azimuth, double elevation);

    // Picture-plane coordinates at unit focal length: x to the right, y downwards.
    Point project(Vector3 point) const;
    // The size in the picture plane of `length` metres seen across at `point`.
    double apparentSize(Vector3 point, double length) const;
    bool sees(const Face& face) const;

  private:
    Vector3 eye_;
    Vector3 forward_;
    Vector3 right_;
    Vector3 up_;
};

}  // namespace artwork
