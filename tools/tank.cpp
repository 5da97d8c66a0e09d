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
    box.polygon({{3, 60}, {8, 55}, {96, 56}, {102, 60}, {100, 71}, {93, 79}, {15, 78}, {6, 73}},
                kTrack);
    box.polygon({{98, 56}, {113, 55}, {118, 61}, {116, 70}, {107, 79}, {100, 71}, {102, 60}},
                kTrackShade);
    const int wheels = 6;
    for (int i = 0; i < wheels; ++i) {
        // Wheels shrink a little towards the rear, which is further away.
        const double t = i / double(wheels - 1);
        const double x = 19.0 + t * 68.0;
        const double radius = 6.2 + t * 1.0;
        box.ellipse({x, 70.0}, radius, radius * 0.95, kWheel);
        box.ellipse({x, 70.0}, radius * 0.4, radius * 0.4, kHub);
    }
    box.ellipse({9.5, 65}, 4.0, 4.0, kHub);
}

void DrawHull(DesignBox& box) {
    box.polygon({{2, 47}, {100, 49}, {100, 59}, {4, 58}}, kHullSide);
    box.polygon({{7, 40}, {84, 39}, {113, 44}, {100, 49}, {2, 47}}, kHullTop);
    box.polygon({{100, 49}, {113, 44}, {119, 53}, {115, 59}, {100, 59}}, kHullFront);
    box.polygon({{3, 57}, {100, 58}, {100, 60}, {4, 59.5}}, kShadowLine);
}

void DrawTurret(DesignBox& box) {
    box.polygon({{26, 44}, {28, 34}, {36, 27}, {50, 23}, {72, 22}, {86, 26}, {93, 34}, {91, 44}},
                kTurretSide);
    box.polygon({{30, 33}, {38, 26}, {52, 22}, {72, 21}, {86, 25}, {92, 32}, {60, 31}}, kTurretTop);
    box.polygon({{86, 26}, {93, 34}, {91, 44}, {84, 44}}, kTurretFront);
    box.polygon({{46, 24}, {48, 17}, {59, 16}, {62, 23}}, kCupola);
    box.polygon({{86, 31}, {96, 32}, {96, 41}, {87, 42}}, kGunShade);
}

void DrawGun(DesignBox& box) {
    const double minimumPixels = 1.3;
    box.bar({94, 36.5}, {119.4, 34.5}, 3.6, minimumPixels, kGun);
    box.bar({104, 36.0}, {110, 35.5}, 5.2, minimumPixels + 0.6, kGun);
    box.bar({94, 38.0}, {119, 36.0}, 1.0, 0.0, kGunShade);
}

void DrawCamouflage(DesignBox& box) {
    // Irregular sand-yellow patches, painted only over the olive of each face.
    box.polygon({{8, 47}, {22, 46}, {30, 51}, {25, 58}, {12, 58}, {6, 53}}, kCamouflageSide,
                kSidePaint);
    box.polygon({{44, 49}, {58, 48}, {66, 52}, {62, 58}, {48, 58}}, kCamouflageSide, kSidePaint);
    box.polygon({{78, 49}, {92, 50}, {98, 55}, {86, 59}, {76, 55}}, kCamouflageSide, kSidePaint);
    box.polygon({{30, 36}, {44, 30}, {52, 35}, {48, 44}, {33, 44}}, kCamouflageSide, kSidePaint);
    box.polygon({{62, 34}, {74, 29}, {84, 35}, {78, 44}, {64, 43}}, kCamouflageSide, kSidePaint);
    box.polygon({{16, 40}, {32, 38}, {36, 45}, {22, 47}}, kCamouflageTop, kTopPaint);
    box.polygon({{60, 23}, {72, 21}, {78, 27}, {66, 30}}, kCamouflageTop, kTopPaint);
    box.polygon({{90, 42}, {106, 43}, {102, 47}, {92, 47}}, kCamouflageTop, kTopPaint);
    box.polygon({{105, 48}, {113, 46}, {117, 53}, {109, 56}}, kCamouflageFront, kFrontPaint);
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
