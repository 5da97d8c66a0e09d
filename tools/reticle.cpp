// The sight reticle: ring, cross, range lines, side marks and range scale, black on white.
#include <array>

#include "label_canvas.h"
#include "pictures.h"
#include "stroke_font.h"

namespace artwork {

namespace {

constexpr int kSize = 450;
constexpr int kInk = 1;

// Fills the pixels from (left, top) to (right, bottom), both inclusive.
void FillPixels(LabelCanvas& canvas, int left, int top, int right, int bottom, int label) {
    canvas.fillPolygon({{double(left), double(top)},
                        {right + 1.0, double(top)},
                        {right + 1.0, bottom + 1.0},
                        {double(left), bottom + 1.0}},
                       label);
}

struct RowBand {
    int top;
    int bottom;
};

// Range lines 2, 3, 4 and 5 and the line that closes the strip of cells under line 2.
constexpr RowBand kRangeLine2{166, 169};
constexpr RowBand kStripClosingLine{187, 190};
constexpr RowBand kRangeLine3{195, 197};
constexpr RowBand kRangeLine4{223, 225};
constexpr RowBand kRangeLine5{259, 262};

constexpr int kGridLeft = 59;
constexpr int kGridRight = 387;
// The white gap of the double centre line holds the aim point's column.
constexpr int kCentreGapLeft = 223;
constexpr int kCentreGapRight = 226;

struct ColumnBand {
    int left;
    int right;
};
constexpr std::array<ColumnBand, 5> kLeftMarks = {
    {{60, 62}, {93, 95}, {126, 129}, {158, 160}, {192, 194}}};
constexpr std::array<ColumnBand, 5> kRightMarks = {
    {{258, 260}, {289, 291}, {319, 321}, {353, 355}, {385, 387}}};

void DrawRing(LabelCanvas& canvas) {
    // Outer edge at columns 12 and 435 and rows 11 and 441, ten pixels thick.
    const Point centre{224.0, 226.5};
    canvas.fillEllipse(centre, 212.0, 215.5, kInk);
    canvas.fillEllipse(centre, 202.0, 205.5, 0);
}

void DrawCross(LabelCanvas& canvas) {
    FillPixels(canvas, 219, 82, 223, 105, kInk);
    FillPixels(canvas, 209, 92, 233, 96, kInk);
}

void DrawGrid(LabelCanvas& canvas) {
    for (const RowBand band :
         {kRangeLine2, kStripClosingLine, kRangeLine3, kRangeLine4, kRangeLine5}) {
        FillPixels(canvas, kGridLeft, band.top, kCentreGapLeft - 1, band.bottom, kInk);
        FillPixels(canvas, kCentreGapRight + 1, band.top, kGridRight, band.bottom, kInk);
    }
    // Side marks run from line 2 to line 5 with a break just above line 3.
    for (const auto& marks : {kLeftMarks, kRightMarks}) {
        for (const ColumnBand mark : marks) {
            FillPixels(canvas, mark.left, kRangeLine2.top, mark.right, 191, kInk);
            FillPixels(canvas, mark.left, 194, mark.right, kRangeLine5.bottom, kInk);
        }
    }
    // The double centre line, broken between the strip and line 3.
    for (const ColumnBand half : {ColumnBand{220, 222}, ColumnBand{227, 229}}) {
        FillPixels(canvas, half.left, kRangeLine2.top, half.right, 190, kInk);
        FillPixels(canvas, half.left, 194, half.right, 324, kInk);
    }
    FillPixels(canvas, kCentreGapLeft, kRangeLine2.top, kCentreGapRight, 324, 0);
}

void DrawGridNumbers(LabelCanvas& canvas) {
    constexpr double kDigitWidth = 11.0;
    constexpr double kDigitHeight = 19.0;
    constexpr double kStroke = 3.0;
    constexpr int kNumberTop = 265;
    const char* leftNumbers[] = {"5", "4", "3", "2", "1"};
    for (int i = 0; i < 5; ++i) {
        const double centre = (kLeftMarks[i].left + kLeftMarks[i].right + 1) / 2.0;
        DrawStrokeText(canvas, leftNumbers[i], centre - kDigitWidth / 2, kNumberTop, kDigitWidth,
                       kDigitHeight, kStroke, kInk);
        const double rightCentre = (kRightMarks[i].left + kRightMarks[i].right + 1) / 2.0;
        DrawStrokeText(canvas, leftNumbers[4 - i], rightCentre - kDigitWidth / 2, kNumberTop,
                       kDigitWidth, kDigitHeight, kStroke, kInk);
    }
    // Range line labels stand left of the grid, centred on their lines.
    const std::pair<const char*, RowBand> labels[] = {
        {"2", kRangeLine2}, {"3", kRangeLine3}, {"4", kRangeLine4}};
    for (const auto& [text, band] : labels) {
        const double middle = (band.top + band.bottom + 1) / 2.0;
        DrawStrokeText(canvas, text, 43.0, middle - kDigitHeight / 2, 14.0, kDigitHeight, kStroke,
                       kInk);
    }
}

struct Bracket {
    int left;
    int right;
    int top;
    int bottom;
};
// The falling broken line of the range scale, one bracket per stretch.
constexpr std::array<Bracket, 6> kBrackets = {{{238, 257, 304, 318},
                                               {261, 280, 308, 322},
                                               {284, 304, 312, 326},
                                               {308, 329, 315, 330},
                                               {333, 356, 319, 334},
                                               {360, 387, 323, 339}}};

void DrawRangeScale(LabelCanvas& canvas) {
    FillPixels(canvas, 238, 350, 383, 352, kInk);
    DrawStrokeText(canvas, "2.7", 240.0, 358.0, 8.0, 12.0, 2.0, kInk);
    for (const Bracket& bracket : kBrackets) {
        FillPixels(canvas, bracket.left, bracket.bottom - 1, bracket.right, bracket.bottom, kInk);
        FillPixels(canvas, bracket.left, bracket.top, bracket.left + 1, bracket.bottom, kInk);
        FillPixels(canvas, bracket.right - 1, bracket.top, bracket.right, bracket.bottom, kInk);
        const int middle = (bracket.left + bracket.right) / 2;
        const int tickTop = (bracket.top + bracket.bottom) / 2 + 1;
        FillPixels(canvas, middle, tickTop, middle + 1, bracket.bottom, kInk);
    }
}

QImage NumberTheRangeScale(QImage image) {
    const char* numbers[] = {"2", "4", "6", "8", "10"};
    for (int i = 0; i < 5; ++i) {
        const int joint = (kBrackets[i].right + kBrackets[i + 1].left) / 2;
        const int top = kBrackets[i].top - 11;
        DrawPixelText(image, numbers[i], joint - PixelTextWidth(numbers[i]) / 2, top, 0xFF000000u);
    }
    return image;
}

}  // namespace

QImage DrawReticle() {
    LabelCanvas canvas(kSize, kSize, 4);
    DrawRing(canvas);
    DrawCross(canvas);
    DrawGrid(canvas);
    DrawGridNumbers(canvas);
    DrawRangeScale(canvas);
    Palette palette{};
    palette[0] = 0xFFFFFF;
    palette[kInk] = 0x000000;
    return NumberTheRangeScale(canvas.resolveByMajority(palette));
}

}  // namespace artwork
