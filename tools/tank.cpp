// The tank: three-quarter front view, gun to the right, olive with yellow camouflage.
#include "tank.h"

#include <cmath>

#include "pictures.h"
#include "tank_geometry.h"
#include "tank_sketch.h"

namespace artwork {

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

// Olive paint and its sand patches come in four strengths of light, darkest first, so a
// patch keeps the shading of the face it lies on.
enum TankLabel : int {
    kPaintDark = 1,
    kPaintShade,
    kPaintMid,
    kPaintLit,
    kSandDark,
    kSandShade,
    kSandMid,
    kSandLit,
    kTrack,
    kTrackLit,
    kWheel,
    kHub,
    kGun,
    kGunShade,
    kHatch,
};
constexpr int kLightSteps = 4;

// The sun stands ahead of the tank, high and a little to its right, so the upper glacis and
// the roofs catch the light, the near flank is in half shade and the lower glacis in shadow.
const Vector3 kSunward = Normalised({0.6, -0.35, 0.8});

int LightStep(const Face& face) {
    const double light = Dot(face.outward, kSunward);
    if (light >= 0.85) {
        return 3;
    }
    if (light >= 0.5) {
        return 2;
    }
    return light >= 0.25 ? 1 : 0;
}

int PaintLabel(const Face& face) {
    return kPaintDark + LightStep(face);
}

int TrackLabel(const Face& face) {
    return LightStep(face) >= 2 ? kTrackLit : kTrack;
}

// The hull in metres, 6.2 long and 3.4 wide over the tracks; heights are drawn a little
// taller than life so the tank reads at a glance in a small picture.
constexpr double kHalfWidth = 1.7;
constexpr double kTrackWidth = 0.62;
constexpr double kTrackTop = 1.05;
constexpr double kDeck = 1.65;
constexpr double kTurretTop = 2.45;
constexpr double kGunHeight = 2.05;
// The gun climbs 9 cm a metre, which lays it level across the picture.
constexpr double kGunRise = 0.09;

// The turret turns about this point of the roof, a little to the tank's left, which lays the
// gun across the picture to the right.
constexpr Point kTurretPivot{-0.35, 0.0};
const double kTraverse = 15.0 * kDegrees;

Solid TrackRun(double rightY, double leftY) {
    // Idler raised at the front, sprocket at the rear, the ground run between.
    return SweptSideways(
        {{-3.0, kTrackTop}, {2.95, kTrackTop}, {3.3, 0.6}, {2.8, 0.0}, {-2.75, 0.0}, {-3.2, 0.55}},
        rightY, leftY);
}

void DrawRunningGear(TankSketch& sketch) {
    const double inner = kHalfWidth - kTrackWidth;
    // The far track first: only its front end shows, beside the lower glacis.
    sketch.solid(TrackRun(inner, kHalfWidth), TrackLabel);
    sketch.solid(
        SweptSideways(
            {{3.15, kTrackTop}, {2.65, 0.4}, {-2.9, 0.4}, {-3.05, 0.6}, {-3.05, kTrackTop}}, -inner,
            inner),
        PaintLabel);
    sketch.solid(TrackRun(-kHalfWidth, -inner), TrackLabel);
    // Road wheels on the near side; perspective makes the rear ones smaller.
    const double side = -kHalfWidth - 0.01;
    const int wheels = 5;
    for (int i = 0; i < wheels; ++i) {
        const double x = 2.2 - i * 1.1;
        sketch.disc({x, side, 0.5}, 0.48, kWheel);
        sketch.disc({x, side - 0.01, 0.5}, 0.18, kHub);
    }
    sketch.disc({2.9, side, 0.6}, 0.3, kWheel);
    sketch.disc({-2.8, side, 0.6}, 0.3, kWheel);
}

void DrawHull(TankSketch& sketch) {
    // Nose, upper glacis rising to the roof, the engine deck and a short sloped tail.
    sketch.solid(SweptSideways({{3.25, kTrackTop},
                                {1.9, kDeck},
                                {-2.9, kDeck},
                                {-3.1, kDeck - 0.15},
                                {-3.1, kTrackTop}},
                               -kHalfWidth, kHalfWidth),
                 PaintLabel);
}

Solid OnTurret(const Solid& solid) {
    return TurnedAbout(solid, kTurretPivot, kTraverse);
}

Vector3 OnTurret(Vector3 point) {
    return TurnedAbout(point, kTurretPivot, kTraverse);
}

// An oval footprint of `steps` corners about `centre`, longer ahead than behind.
std::vector<Point> Oval(Point centre, double ahead, double behind, double across, int steps) {
    std::vector<Point> corners;
    for (int i = 0; i < steps; ++i) {
        const double angle = (180.0 / steps + 360.0 * i / steps) * kDegrees;
        const double length = std::cos(angle) >= 0.0 ? ahead : behind;
        corners.push_back(
            {centre.x + length * std::cos(angle), centre.y + across * std::sin(angle)});
    }
    return corners;
}

void DrawTurret(TankSketch& sketch) {
    const double x = kTurretPivot.x;
    // The turret ring's shadow on the roof parts the turret from the hull.
    const std::vector<Point> footprint = Oval(kTurretPivot, 2.0, 1.75, 1.4, 12);
    std::vector<Vector3> shadow;
    for (const Point& corner : Oval(kTurretPivot, 2.15, 1.9, 1.52, 12)) {
        shadow.push_back(OnTurret({corner.x, corner.y, kDeck}));
    }
    sketch.flat(shadow, kPaintDark);
    // Sloping walls round the oval so the light runs over it in steps.
    sketch.solid(OnTurret(Raised(footprint, kTurretPivot, kDeck, kTurretTop, 0.78)), PaintLabel);
    // The commander's cupola on the right of the roof, nearest the viewer.
    const Point cupola{x - 0.55, -0.55};
    const double cupolaTop = kTurretTop + 0.38;
    sketch.solid(OnTurret(Raised(Oval(cupola, 0.4, 0.4, 0.4, 8), cupola, kTurretTop - 0.05,
                                 cupolaTop, 0.85)),
                 PaintLabel);
    std::vector<Vector3> hatch;
    for (const Point& corner : Oval(cupola, 0.22, 0.22, 0.22, 8)) {
        hatch.push_back(OnTurret({corner.x, corner.y, cupolaTop}));
    }
    sketch.flat(hatch, kHatch);
}

void DrawGun(TankSketch& sketch) {
    const double x = kTurretPivot.x;
    const double height = kGunHeight;
    const double muzzle = x + 4.8;
    const double rise = kGunRise;
    auto along = [&](double distance, double below) {
        return OnTurret({x + distance, 0.0, height - below + rise * (distance - 2.0)});
    };
    sketch.bar(along(2.2, 0.0), along(muzzle - x, 0.0), 0.2, 1.2, kGun);
    sketch.bar(along(2.2, 0.06), along(muzzle - x - 0.1, 0.06), 0.08, 0.0, kGunShade);
    // The fume extractor, a thicker sleeve part way along.
    sketch.bar(along(3.4, 0.0), along(3.9, 0.0), 0.34, 0.0, kGun);
    // The mantlet hides the root of the gun.
    sketch.solid(
        OnTurret(Raised({{x + 1.75, 0.45}, {x + 2.25, 0.38}, {x + 2.25, -0.38}, {x + 1.75, -0.45}},
                        {x + 2.0, 0.0}, height - 0.25, height + 0.22, 1.0)),
        PaintLabel);
}

TankSketch SketchTank(const Camera& camera) {
    TankSketch sketch(camera);
    DrawRunningGear(sketch);
    DrawHull(sketch);
    DrawTurret(sketch);
    DrawGun(sketch);
    return sketch;
}

// Sand patches, in fractions of the tank's box, painted over the olive only.
const std::vector<Polygon> kSandPatches = {
    {{0.14, 0.14},
     {0.19, 0.08},
     {0.25, 0.11},
     {0.27, 0.19},
     {0.22, 0.27},
     {0.17, 0.24},
     {0.12, 0.21}},
    {{0.38, 0.10}, {0.44, 0.08}, {0.49, 0.15}, {0.46, 0.22}, {0.41, 0.19}, {0.37, 0.15}},
    {{0.01, 0.40}, {0.09, 0.35}, {0.16, 0.41}, {0.14, 0.49}, {0.06, 0.55}, {0.01, 0.50}},
    {{0.33, 0.42},
     {0.41, 0.37},
     {0.49, 0.44},
     {0.47, 0.55},
     {0.39, 0.59},
     {0.34, 0.51},
     {0.29, 0.50}},
    {{0.60, 0.44}, {0.67, 0.39}, {0.75, 0.46}, {0.73, 0.54}, {0.66, 0.52}, {0.63, 0.58}},
    {{0.22, 0.36}, {0.29, 0.32}, {0.33, 0.38}, {0.27, 0.44}, {0.21, 0.42}},
    {{0.52, 0.60}, {0.59, 0.57}, {0.62, 0.63}, {0.55, 0.68}},
};

}  // namespace

void DrawTankShape(LabelCanvas& canvas, double left, double top, double width, double height) {
    const Camera camera({0.0, 0.0, 1.2}, 14.0, 30.0 * kDegrees, 18.0 * kDegrees);
    SketchTank(camera).drawInto(canvas, left, top, width, height);
    for (const Polygon& patch : kSandPatches) {
        Polygon placed;
        for (const Point& point : patch) {
            placed.push_back({left + point.x * width, top + point.y * height});
        }
        for (int step = 0; step < kLightSteps; ++step) {
            canvas.fillPolygon(placed, kSandDark + step, LabelBit(kPaintDark + step));
        }
    }
}

void SetTankColours(Palette& palette) {
    palette[kPaintDark] = 0x363D1C;
    palette[kPaintShade] = 0x4C5626;
    palette[kPaintMid] = 0x646E30;
    palette[kPaintLit] = 0x828C40;
    palette[kSandDark] = 0x6A6030;
    palette[kSandShade] = 0x8E803C;
    palette[kSandMid] = 0xAE9A48;
    palette[kSandLit] = 0xCCB658;
    palette[kTrack] = 0x24241E;
    palette[kTrackLit] = 0x3A3A32;
    palette[kWheel] = 0x46483C;
    palette[kHub] = 0x6C6E5C;
    palette[kGun] = 0x545E2A;
    palette[kGunShade] = 0x343A1A;
    palette[kHatch] = 0x2C3218;
}

void SetTankColoursSixteen(Palette& palette) {
    for (const int label : {kTrack, kTrackLit, kGunShade, kHatch}) {
        palette[label] = 0x000000;
    }
    for (const int label : {kPaintDark, kPaintShade, kPaintMid, kPaintLit, kGun}) {
        palette[label] = 0x808000;
    }
    for (const int label : {kSandDark, kSandShade, kSandMid, kSandLit}) {
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
