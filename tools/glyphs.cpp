// Button glyphs and the completion dialog's pictures, in the classic 16 colours.
#include <cmath>

#include "glyph_painter.h"
#include "glyph_style.h"
#include "pictures.h"

namespace artwork {

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

std::vector<Point> Arc(Point centre, double radiusX, double radiusY, double fromDegrees,
                       double toDegrees, int steps = 20) {
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const double angle = (fromDegrees + (toDegrees - fromDegrees) * i / steps) * kDegrees;
        points.push_back(
            {centre.x + radiusX * std::cos(angle), centre.y + radiusY * std::sin(angle)});
    }
    return points;
}

void DrawBulb(GlyphPainter& painter, Point centre, double radius, bool lit) {
    painter.ellipse(centre, radius + 1.0, radius + 1.0, Vga::kBlack);
    painter.ellipse(centre, radius, radius, lit ? Vga::kYellow : Vga::kSilver);
    painter.ellipse({centre.x - radius * 0.35, centre.y - radius * 0.35}, radius * 0.28,
                    radius * 0.28, Vga::kWhite);
    const double baseTop = centre.y + radius * 0.75;
    const double half = radius * 0.5;
    painter.rect(centre.x - half - 1.0, baseTop, centre.x + half + 1.0, baseTop + radius * 0.9,
                 Vga::kBlack);
    painter.rect(centre.x - half, baseTop + 0.4, centre.x + half, baseTop + radius * 0.9 - 1.0,
                 Vga::kGrey);
    painter.rect(centre.x - half, baseTop + radius * 0.45, centre.x + half,
                 baseTop + radius * 0.45 + 0.8, Vga::kBlack);
    painter.rect(centre.x - half * 0.5, baseTop + radius * 0.9, centre.x + half * 0.5,
                 baseTop + radius * 0.9 + 1.2, Vga::kBlack);
}

}  // namespace

QImage DrawBulbGlyph(bool lit) {
    GlyphPainter painter(16, 16, Vga::kOlive);
    if (lit) {
        // Rays around the glass.
        painter.stroke({{0.8, 6.5}, {2.2, 6.5}}, 1.0, Vga::kYellow);
        painter.stroke({{13.8, 6.5}, {15.2, 6.5}}, 1.0, Vga::kYellow);
        painter.stroke({{1.8, 1.4}, {3.0, 2.6}}, 1.0, Vga::kYellow);
        painter.stroke({{14.2, 1.4}, {13.0, 2.6}}, 1.0, Vga::kYellow);
        painter.stroke({{2.0, 11.4}, {3.2, 10.4}}, 1.0, Vga::kYellow);
        painter.stroke({{14.0, 11.4}, {12.8, 10.4}}, 1.0, Vga::kYellow);
    }
    DrawBulb(painter, {8.0, 6.0}, 4.6, lit);
    return TwoStateGlyph(painter.resolveSharp());
}

QImage DrawQuestionMark() {
    GlyphPainter painter(110, 130, 0xBEBEBE, 4);
    const auto hook = [](double shift) {
        std::vector<Point> line = Arc({52.0 + shift, 40.0 + shift}, 30.0, 27.0, 195.0, 395.0, 40);
        line.push_back({54.0 + shift, 73.0 + shift});
        line.push_back({54.0 + shift, 86.0 + shift});
        return line;
    };
    painter.stroke(hook(5.0), 17.0, Vga::kNavy);
    painter.ellipse({59.0, 114.0}, 10.5, 10.5, Vga::kNavy);
    painter.stroke(hook(0.0), 17.0, Vga::kBlue);
    painter.ellipse({54.0, 109.0}, 10.5, 10.5, Vga::kBlue);
    painter.stroke(Arc({52.0, 40.0}, 30.0, 27.0, 210.0, 250.0, 10), 4.0, 0x6060FF);
    return painter.resolveSmooth();
}

QImage DrawExitDoorGlyph() {
    GlyphPainter painter(18, 18, Vga::kOlive);
    painter.rect(5.0, 0.5, 16.0, 17.5, Vga::kGrey);
    painter.rect(6.0, 1.5, 15.0, 17.5, Vga::kBlack);
    // The door stands open towards us, hinged on the left of the opening.
    painter.polygon({{6.0, 1.5}, {1.0, 3.5}, {1.0, 16.0}, {6.0, 17.5}}, Vga::kMaroon);
    painter.rect(2.0, 8.5, 3.2, 10.0, Vga::kYellow);
    painter.rect(7.5, 8.0, 12.5, 10.5, Vga::kLime);
    painter.polygon({{12.0, 4.8}, {16.8, 9.25}, {12.0, 13.7}}, Vga::kLime);
    return TwoStateGlyph(painter.resolveSharp());
}

QImage DrawPadlockGlyph() {
    GlyphPainter painter(28, 28, Vga::kOlive);
    // The glow: a yellow halo with short rays.
    for (int ray = 0; ray < 12; ++ray) {
        const double angle = ray * 30.0 * kDegrees;
        painter.stroke({{14.0 + 9.0 * std::cos(angle), 15.0 + 9.0 * std::sin(angle)},
                        {14.0 + 13.2 * std::cos(angle), 15.0 + 13.2 * std::sin(angle)}},
                       1.6, Vga::kYellow);
    }
    painter.ellipse({14.0, 15.0}, 10.5, 10.5, Vga::kYellow);
    // Open shackle: the right leg has come out of the body.
    const auto shackle = Arc({13.5, 8.0}, 4.8, 5.0, 180.0, 360.0);
    std::vector<Point> line{{8.7, 14.5}};
    line.insert(line.end(), shackle.begin(), shackle.end());
    line.push_back({18.3, 10.0});
    painter.stroke(line, 3.6, Vga::kBlack);
    painter.stroke(line, 1.6, Vga::kSilver);
    painter.rect(6.5, 13.0, 21.5, 25.0, Vga::kBlack);
    painter.rect(7.5, 14.0, 20.5, 24.0, Vga::kGrey);
    painter.rect(7.5, 14.0, 9.5, 24.0, Vga::kSilver);
    painter.ellipse({14.0, 17.8}, 1.7, 1.7, Vga::kBlack);
    painter.rect(13.3, 18.0, 14.7, 21.8, Vga::kBlack);
    return TwoStateGlyph(painter.resolveSharp());
}

QImage DrawCancelGlyph() {
    GlyphPainter painter(18, 18, Vga::kOlive);
    DrawBulb(painter, {7.0, 6.2}, 4.8, false);
    painter.ellipse({12.0, 12.0}, 5.6, 5.6, Vga::kMaroon);
    painter.ellipse({12.0, 12.0}, 4.8, 4.8, Vga::kRed);
    painter.rect(8.5, 11.0, 15.5, 13.0, Vga::kWhite);
    return TwoStateGlyph(painter.resolveSharp());
}

QImage DrawTickGlyph() {
    GlyphPainter painter(18, 18, Vga::kPurple);
    const std::vector<Point> tick{{3.0, 9.0}, {7.0, 13.5}, {15.0, 3.5}};
    painter.stroke(tick, 3.8, Vga::kGreen);
    painter.stroke({{3.6, 8.6}, {7.0, 12.3}, {14.6, 3.0}}, 1.2, Vga::kLime);
    return TwoStateGlyph(painter.resolveSharp());
}

QImage DrawWalkingManGlyph() {
    GlyphPainter painter(18, 18, Vga::kOlive);
    painter.rect(1.0, 1.0, 17.0, 17.0, Vga::kBlack);
    painter.rect(2.0, 2.0, 16.0, 9.0, Vga::kAqua);
    painter.rect(2.0, 9.0, 16.0, 16.0, Vga::kYellow);
    painter.ellipse({9.8, 4.2}, 1.6, 1.6, Vga::kBlack);
    const double limb = 1.4;
    painter.stroke({{9.6, 6.0}, {8.6, 10.2}}, limb + 0.3, Vga::kBlack);
    painter.stroke({{8.6, 10.2}, {6.2, 12.8}, {5.6, 15.2}}, limb, Vga::kBlack);
    painter.stroke({{8.6, 10.2}, {11.0, 12.6}, {12.6, 14.8}}, limb, Vga::kBlack);
    painter.stroke({{9.4, 7.0}, {6.6, 9.4}}, limb, Vga::kBlack);
    painter.stroke({{9.4, 7.0}, {12.0, 8.6}, {13.0, 10.0}}, limb, Vga::kBlack);
    return TwoStateGlyph(painter.resolveSharp());
}

QImage DrawLeavingFigureGlyph() {
    GlyphPainter painter(20, 20, Vga::kOlive);
    painter.rect(1.0, 1.0, 10.0, 19.5, Vga::kGrey);
    painter.rect(2.0, 2.0, 9.0, 19.5, Vga::kBlack);
    const double limb = 1.5;
    painter.ellipse({11.5, 6.2}, 1.8, 1.8, Vga::kBlue);
    painter.stroke({{11.2, 8.2}, {10.8, 12.8}}, limb + 0.4, Vga::kBlue);
    painter.stroke({{10.8, 12.8}, {8.8, 15.6}, {8.2, 18.6}}, limb, Vga::kBlue);
    painter.stroke({{10.8, 12.8}, {13.2, 15.0}, {14.0, 18.6}}, limb, Vga::kBlue);
    painter.stroke({{11.2, 9.0}, {8.6, 11.6}}, limb, Vga::kBlue);
    painter.stroke({{11.2, 9.0}, {13.8, 11.2}, {15.0, 12.8}}, limb, Vga::kBlue);
    painter.rect(12.5, 2.3, 16.5, 4.0, Vga::kRed);
    painter.polygon({{16.0, 0.2}, {19.6, 3.15}, {16.0, 6.1}}, Vga::kRed);
    return painter.resolveSharp();
}

}  // namespace artwork
