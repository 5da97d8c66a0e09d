// The placeholder soldier of the target holder and the program's icon.
#include "glyph_style.h"
#include "label_canvas.h"
#include "pictures.h"
#include "tank.h"

namespace artwork {

namespace {

enum SoldierLabel : int {
    kHelmet = 1,
    kFace,
    kUniform,
    kUniformShade,
    kBelt,
    kBoot,
    kRifle,
    kStock,
};

enum IconLabel : int {
    kBackdrop = kTankLabelCount,
    kRing,
    kSky,
    kField,
    kHairline,
    kAimMark,
};

}  // namespace

QImage DrawSoldierPlaceholder() {
    LabelCanvas canvas(35, 50, 8);
    // Back leg and arm first, in the shade, then the body, the front leg and the rifle.
    canvas.fillPolygon({{14, 27}, {19, 28}, {15, 39}, {11, 46}, {8, 45}, {11, 38}}, kUniformShade);
    canvas.fillPolygon({{7, 44}, {12, 45}, {12, 48}, {5, 48}}, kBoot);
    canvas.fillStroke({16, 14}, {12, 22}, 3.5, kUniformShade);
    canvas.fillPolygon({{14, 12}, {24, 12}, {25, 27}, {14, 27}}, kUniform);
    canvas.fillPolygon({{14, 25.5}, {25, 25.5}, {25, 28}, {14, 28}}, kBelt);
    canvas.fillPolygon({{18, 27}, {24, 27}, {29, 43}, {25, 44}, {21, 35}}, kUniform);
    canvas.fillPolygon({{24, 42}, {30, 41}, {32, 45}, {25, 46}}, kBoot);
    canvas.fillEllipse({20.5, 10.0}, 3.0, 3.2, kFace);
    canvas.fillEllipse({19.5, 6.5}, 4.8, 3.6, kHelmet);
    canvas.fillPolygon({{14.5, 6.5}, {24.5, 6.5}, {24.5, 8.2}, {14.5, 8.2}}, kHelmet);
    canvas.fillStroke({8.5, 28.0}, {33.0, 14.0}, 2.0, kRifle);
    canvas.fillStroke({8.5, 28.0}, {13.5, 25.0}, 3.6, kStock);
    canvas.fillPolyline({{22, 14}, {26, 21}, {29.5, 17.5}}, 3.0, kUniform);
    Palette palette{};
    palette[0] = 0xFFFFFF;
    palette[kHelmet] = 0x4B5320;
    palette[kFace] = 0xC8966E;
    palette[kUniform] = 0x5A6B3A;
    palette[kUniformShade] = 0x3F4C28;
    palette[kBelt] = 0x3A2A1A;
    palette[kBoot] = 0x1C1A16;
    palette[kRifle] = 0x2A2620;
    palette[kStock] = 0x5A3A1A;
    return canvas.resolveOverBackground(palette);
}

QImage DrawIcon(int size) {
    // Designed on a 32-unit square: a sight's circle over a field with the tank in it.
    const double unit = size / 32.0;
    const bool small = size <= 32;
    LabelCanvas canvas(size, size, small ? 4 : 2);
    auto at = [unit](double x, double y) { return Point{x * unit, y * unit}; };
    canvas.fillPolygon({at(0, 0), at(32, 0), at(32, 32), at(0, 32)}, kBackdrop);
    canvas.fillEllipse(at(16, 16), 15.5 * unit, 15.5 * unit, kRing);
    canvas.fillEllipse(at(16, 16), 13.8 * unit, 13.8 * unit, kSky);
    canvas.fillPolygon({at(0, 18), at(32, 17), at(32, 32), at(0, 32)}, kField, LabelBit(kSky));
    DrawTankShape(canvas, 6.0 * unit, 13.0 * unit, 20.0 * unit, 13.0 * unit);
    const double line = small ? 1.0 : 1.2 * unit;
    canvas.fillStroke(at(3.5, 16), at(11, 16), line, kHairline);
    canvas.fillStroke(at(21, 16), at(28.5, 16), line, kHairline);
    canvas.fillStroke(at(16, 3.5), at(16, 11), line, kHairline);
    canvas.fillStroke(at(16, 21), at(16, 28.5), line, kHairline);
    canvas.fillPolygon({at(15, 13.2), at(17, 13.2), at(16, 15.2)}, kAimMark);
    Palette palette{};
    palette[0] = Vga::kNavy;
    palette[kBackdrop] = Vga::kNavy;
    palette[kRing] = Vga::kBlack;
    palette[kSky] = Vga::kSilver;
    palette[kField] = Vga::kGreen;
    palette[kHairline] = Vga::kBlack;
    palette[kAimMark] = Vga::kRed;
    if (small) {
        SetTankColoursSixteen(palette);
        return canvas.resolveByMajority(palette);
    }
    SetTankColours(palette);
    return canvas.resolveAveraged(palette);
}

}  // namespace artwork
