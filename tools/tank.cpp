// The tank: three-quarter front view, gun to the right, olive with yellow camouflage.
#include "tank.h"

#include <algorithm>
#include <cmath>

#include "pictures.h"

namespace artwork {

namespace {

// The drawing is designed in a 120 x 80 box and stretched onto the requested one.
constexpr double kDesignWidth = 120.0;
constexpr double kDesignHeight = 80.0;

enum TankLabel : int {
    kTrack = 1,
    kTrackShade,
    kWheel,
    kHub,
    kHullSide,
    kHullTop,
    kHullFront,
    kTurretSide,
    kTurretTop,
    kTurretFront,
    kGun,
    kGunShade,
    kCamouflageSide,
    kCamouflageTop,
    kCamouflageFront,
    kShadowLine,
    kCupola,
};

constexpr LabelMask kSidePaint = LabelBit(kHullSide) | LabelBit(kTurretSide);
constexpr LabelMask kTopPaint = LabelBit(kHullTop) | LabelBit(kTurretTop);
constexpr LabelMask kFrontPaint = LabelBit(kHullFront) | LabelBit(kTurretFront);

class DesignBox {
  public:
    DesignBox(LabelCanvas& canvas, double left, double top, double width, double height)
        : canvas_(canvas),
          left_(left),
          top_(top),
          scaleX_(width / kDesignWidth),
          scaleY_(height / kDesignHeight) {}

    Point place(Point p) const { return {left_ + p.x * scaleX_, top_ + p.y * scaleY_}; }

    void polygon(std::initializer_list<Point> points, int label, LabelMask over = kAnyLabel) {
        Polygon placed;
        for (const Point& p : points) {
            placed.push_back(place(p));
        }
        canvas_.fillPolygon(placed, label, over);
    }
    void ellipse(Point centre, double radiusX, double radiusY, int label,
                 LabelMask over = kAnyLabel) {
        canvas_.fillEllipse(place(centre), radiusX * scaleX_, radiusY * scaleY_, label, over);
    }
    // A horizontal-ish bar whose thickness never drops under `minimumPixels`.
    void bar(Point from, Point to, double thickness, double minimumPixels, int label) {
        const double pixels = std::max(thickness * scaleY_, minimumPixels);
        canvas_.fillStroke(place(from), place(to), pixels, label);
    }
    double scaleY() const { return scaleY_; }

  private:
    LabelCanvas& canvas_;
    double left_;
    double top_;
    double scaleX_;
    double scaleY_;
};

void DrawRunningGear(DesignBox& box) {
    // Far side of the track band with rounded ends, then the near front of the other track.
    box.polygon({{4, 62}, {8, 57}, {94, 58}, {100, 62}, {99, 70}, {92, 78}, {16, 76}, {8, 72}},
                kTrack);
    box.polygon({{97, 58}, {112, 57}, {116, 62}, {114, 70}, {106, 77}, {99, 70}, {100, 62}},
                kTrackShade);
    const int wheels = 6;
    for (int i = 0; i < wheels; ++i) {
        // Wheels shrink a little towards the rear, which is further away.
        const double t = i / double(wheels - 1);
        const double x = 20.0 + t * 66.0;
        const double radius = 5.8 + t * 1.0;
        box.ellipse({x, 68.5}, radius, radius * 0.95, kWheel);
        box.ellipse({x, 68.5}, radius * 0.4, radius * 0.4, kHub);
    }
    box.ellipse({10.5, 65}, 4.0, 4.0, kHub);
}

void DrawHull(DesignBox& box) {
    box.polygon({{3, 49}, {99, 51}, {99, 60}, {5, 59}}, kHullSide);
    box.polygon({{8, 43}, {84, 42}, {112, 46}, {99, 51}, {3, 49}}, kHullTop);
    box.polygon({{99, 51}, {112, 46}, {118, 54}, {114, 60}, {99, 60}}, kHullFront);
    box.polygon({{3, 58}, {99, 59}, {99, 61}, {4, 60.5}}, kShadowLine);
}

void DrawTurret(DesignBox& box) {
    box.polygon({{28, 45}, {31, 36}, {40, 31}, {84, 31}, {92, 37}, {90, 45}}, kTurretSide);
    box.polygon({{31, 36}, {40, 29}, {56, 26}, {74, 26}, {86, 30}, {92, 37}, {60, 36}}, kTurretTop);
    box.polygon({{84, 31}, {92, 37}, {90, 45}, {82, 45}}, kTurretFront);
    box.polygon({{48, 28}, {50, 21}, {60, 20}, {64, 27}}, kCupola);
    box.polygon({{86, 33}, {95, 34}, {95, 42}, {87, 43}}, kGunShade);
}

void DrawGun(DesignBox& box) {
    const double minimumPixels = 1.2;
    box.bar({92, 38}, {119, 36}, 3.0, minimumPixels, kGun);
    box.bar({103, 37.2}, {109, 36.8}, 4.5, minimumPixels + 0.6, kGun);
    box.bar({92, 39.2}, {118.5, 37.2}, 1.0, 0.0, kGunShade);
}

void DrawCamouflage(DesignBox& box) {
    // Irregular sand-yellow patches, painted only over the olive of each face.
    box.polygon({{10, 50}, {22, 48}, {30, 52}, {26, 58}, {14, 59}, {8, 55}}, kCamouflageSide,
                kSidePaint);
    box.polygon({{44, 51}, {58, 49}, {66, 53}, {62, 59}, {48, 58}}, kCamouflageSide, kSidePaint);
    box.polygon({{78, 50}, {90, 51}, {96, 56}, {86, 60}, {76, 56}}, kCamouflageSide, kSidePaint);
    box.polygon({{33, 38}, {46, 33}, {54, 37}, {50, 45}, {36, 45}}, kCamouflageSide, kSidePaint);
    box.polygon({{64, 37}, {76, 33}, {84, 38}, {78, 45}, {66, 44}}, kCamouflageSide, kSidePaint);
    box.polygon({{20, 42}, {36, 40}, {40, 46}, {26, 48}}, kCamouflageTop, kTopPaint);
    box.polygon({{58, 28}, {70, 26}, {76, 31}, {64, 34}}, kCamouflageTop, kTopPaint);
    box.polygon({{88, 44}, {104, 45}, {100, 49}, {90, 48}}, kCamouflageTop, kTopPaint);
    box.polygon({{104, 50}, {112, 48}, {116, 54}, {108, 57}}, kCamouflageFront, kFrontPaint);
}

}  // namespace

void DrawTankShape(LabelCanvas& canvas, double left, double top, double width, double height) {
    DesignBox box(canvas, left, top, width, height);
    DrawRunningGear(box);
    DrawHull(box);
    DrawTurret(box);
    DrawGun(box);
    DrawCamouflage(box);
}

void SetTankColours(Palette& palette) {
    palette[kTrack] = 0x2A2A24;
    palette[kTrackShade] = 0x1E1E1A;
    palette[kWheel] = 0x3C3E34;
    palette[kHub] = 0x6A6C58;
    palette[kHullSide] = 0x4E5626;
    palette[kHullTop] = 0x7A8440;
    palette[kHullFront] = 0x646C32;
    palette[kTurretSide] = 0x525A28;
    palette[kTurretTop] = 0x808A44;
    palette[kTurretFront] = 0x5E6630;
    palette[kGun] = 0x5A6230;
    palette[kGunShade] = 0x3A4020;
    palette[kCamouflageSide] = 0x9C8A3A;
    palette[kCamouflageTop] = 0xC8B254;
    palette[kCamouflageFront] = 0xAE9C44;
    palette[kShadowLine] = 0x262820;
    palette[kCupola] = 0x6C7438;
}

void SetTankColoursSixteen(Palette& palette) {
    for (const int label : {kTrack, kTrackShade, kShadowLine, kGunShade}) {
        palette[label] = 0x000000;
    }
    for (const int label :
         {kHullSide, kHullTop, kHullFront, kTurretSide, kTurretTop, kTurretFront, kGun, kCupola}) {
        palette[label] = 0x808000;
    }
    for (const int label : {kCamouflageSide, kCamouflageTop, kCamouflageFront}) {
        palette[label] = 0xFFFF00;
    }
    palette[kWheel] = 0x808080;
    palette[kHub] = 0xC0C0C0;
}

QImage DrawTankSprite(int width, int height) {
    // A one-pixel white margin all round keeps the background reaching every edge.
    const int samples = 8;
    LabelCanvas canvas(width, height, samples);
    DrawTankShape(canvas, 1.0, 1.0, width - 2.0, height - 2.0);
    Palette palette{};
    palette[0] = 0xFFFFFF;
    SetTankColours(palette);
    return canvas.resolveOverBackground(palette);
}

}  // namespace artwork
