// Building, turning and projecting the tank's flat-faced solids.
#include "tank_geometry.h"

#include <cmath>

namespace artwork {

Vector3 operator+(Vector3 a, Vector3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector3 operator-(Vector3 a, Vector3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector3 operator*(Vector3 a, double factor) {
    return {a.x * factor, a.y * factor, a.z * factor};
}
double Dot(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector3 Cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vector3 Normalised(Vector3 a) {
    return a * (1.0 / std::sqrt(Dot(a, a)));
}

namespace {

Vector3 Centroid(const std::vector<Vector3>& points) {
    Vector3 sum;
    for (const Vector3& point : points) {
        sum = sum + point;
    }
    return sum * (1.0 / double(points.size()));
}

// Gives every face its outward normal. The solids are convex, so a face's normal points out
// when it points away from the middle of the solid; the order of corners does not matter.
Solid WithOutwardNormals(std::vector<std::vector<Vector3>> faces) {
    std::vector<Vector3> all;
    for (const auto& corners : faces) {
        all.insert(all.end(), corners.begin(), corners.end());
    }
    const Vector3 middle = Centroid(all);
    Solid solid;
    for (auto& corners : faces) {
        // Newell's sum stays sound for faces whose corners are not exactly in one plane.
        Vector3 normal;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Vector3 a = corners[i];
            const Vector3 b = corners[(i + 1) % corners.size()];
            normal = normal + Vector3{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x),
                                      (a.x - b.x) * (a.y + b.y)};
        }
        normal = Normalised(normal);
        if (Dot(normal, Centroid(corners) - middle) < 0.0) {
            normal = normal * -1.0;
        }
        solid.push_back({std::move(corners), normal});
    }
    return solid;
}

}  // namespace

Solid SweptSideways(const std::vector<Point>& profile, double rightY, double leftY) {
    std::vector<std::vector<Vector3>> faces;
    std::vector<Vector3> rightSide;
    std::vector<Vector3> leftSide;
    for (const Point& point : profile) {
        rightSide.push_back({point.x, rightY, point.y});
        leftSide.push_back({point.x, leftY, point.y});
    }
    for (std::size_t i = 0; i < profile.size(); ++i) {
        const std::size_t next = (i + 1) % profile.size();
        faces.push_back({rightSide[i], rightSide[next], leftSide[next], leftSide[i]});
    }
    faces.push_back(rightSide);
    faces.push_back(leftSide);
    return WithOutwardNormals(std::move(faces));
}

Solid Raised(const std::vector<Point>& footprint, Point footprintCentre, double bottom, double top,
             double topScale) {
    std::vector<std::vector<Vector3>> faces;
    std::vector<Vector3> lower;
    std::vector<Vector3> upper;
    for (const Point& point : footprint) {
        lower.push_back({point.x, point.y, bottom});
        upper.push_back({footprintCentre.x + (point.x - footprintCentre.x) * topScale,
                         footprintCentre.y + (point.y - footprintCentre.y) * topScale, top});
    }
    for (std::size_t i = 0; i < footprint.size(); ++i) {
        const std::size_t next = (i + 1) % footprint.size();
        faces.push_back({lower[i], lower[next], upper[next], upper[i]});
    }
    faces.push_back(lower);
    faces.push_back(upper);
    return WithOutwardNormals(std::move(faces));
}

Vector3 TurnedAbout(Vector3 point, Point pivot, double angle) {
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    const double x = point.x - pivot.x;
    const double y = point.y - pivot.y;
    return {pivot.x + x * cosine - y * sine, pivot.y + x * sine + y * cosine, point.z};
}

Solid TurnedAbout(const Solid& solid, Point pivot, double angle) {
    Solid turned;
    for (const Face& face : solid) {
        Face moved;
        for (const Vector3& corner : face.corners) {
            moved.corners.push_back(TurnedAbout(corner, pivot, angle));
        }
        moved.outward = TurnedAbout(face.outward, {0.0, 0.0}, angle);
        turned.push_back(std::move(moved));
    }
    return turned;
}

Camera::Camera(Vector3 target, double distance, double azimuth, double elevation) {
    const Vector3 towardsEye{std::cos(elevation) * std::cos(azimuth),
                             -std::cos(elevation) * std::sin(azimuth), std::sin(elevation)};
    eye_ = target + towardsEye * distance;
    forward_ = towardsEye * -1.0;
    right_ = Normalised(Cross(forward_, {0.0, 0.0, 1.0}));
    up_ = Cross(right_, forward_);
}

Point Camera::project(Vector3 point) const {
    const Vector3 offset = point - eye_;
    const double depth = Dot(offset, forward_);
    return {Dot(offset, right_) / depth, -Dot(offset, up_) / depth};
}

double Camera::apparentSize(Vector3 point, double length) const {
    return length / Dot(point - eye_, forward_);
}

bool Camera::sees(const Face& face) const {
    return Dot(face.outward, eye_ - face.corners.front()) > 0.0;
}

}  // namespace artwork
