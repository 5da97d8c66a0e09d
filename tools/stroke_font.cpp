// The shapes of our digits: centre lines in a 6 x 10 box, and a 5 x 7 bitmap set.
#include "stroke_font.h"

#include <array>
#include <cmath>
#include <vector>

namespace artwork {

namespace {

using Strokes = std::vector<std::vector<Point>>;

constexpr double kBoxWidth = 6.0;
constexpr double kBoxHeight = 10.0;
constexpr double kDegrees = 3.14159265358979323846 / 180.0;

std::vector<Point> Arc(Point centre, double radiusX, double radiusY, double fromDegrees,
                       double toDegrees) {
    std::vector<Point> points;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const double angle = (fromDegrees + (toDegrees - fromDegrees) * i / steps) * kDegrees;
        points.push_back(
            {centre.x + radiusX * std::cos(angle), centre.y + radiusY * std::sin(angle)});
    }
    return points;
}

std::vector<Point> Joined(std::vector<Point> first, const std::vector<Point>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Strokes Rotated(const Strokes& strokes) {
    Strokes result;
    for (const auto& line : strokes) {
        std::vector<Point> turned;
        for (const Point& p : line) {
            turned.push_back({kBoxWidth - p.x, kBoxHeight - p.y});
        }
        result.push_back(turned);
    }
    return result;
}

Strokes DigitStrokes(char digit) {
    switch (digit) {
        case '0':
            return {Arc({3, 5}, 3, 5, 0, 360)};
        case '1':
            return {{{1.0, 2.4}, {3.6, 0}, {3.6, 10}}};
        case '2':
            return {Joined(Arc({3, 3}, 3, 3, 185, 380), {{0, 10}, {6, 10}})};
        case '3':
            return {Arc({3, 2.6}, 2.8, 2.6, 200, 450), Arc({3, 7.3}, 3, 2.7, 270, 520)};
        case '4':
            return {{{4.4, 10}, {4.4, 0}, {0, 7}, {6, 7}}};
        case '5':
            return {Joined({{5.6, 0}, {0.9, 0}, {0.5, 4.6}}, Arc({2.9, 6.8}, 3.1, 3.2, 228, 505))};
        case '6':
            return {Arc({3.2, 5}, 3.2, 5, 300, 160), Arc({3, 7}, 3, 3, 0, 360)};
        case '7':
            return {{{0, 0}, {6, 0}, {2.2, 10}}};
        case '8':
            return {Arc({3, 2.5}, 2.6, 2.5, 0, 360), Arc({3, 7.3}, 3, 2.7, 0, 360)};
        case '9':
            return Rotated(DigitStrokes('6'));
        default:
            return {};
    }
}

// Columns of the 5 x 7 pixel digits, top row first, '#' inked.
constexpr std::array<std::array<const char*, 7>, 10> kPixelDigits = {{
    {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "},
    {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "},
    {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"},
    {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "},
    {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "},
    {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "},
    {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "},
    {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "},
    {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "},
    {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "},
}};

}  // namespace

double StrokeTextWidth(std::string_view text, double digitWidth, double stroke) {
    double width = 0.0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        width += text[i] == '.' ? 3.0 * stroke : digitWidth;
        if (i + 1 < text.size() && text[i] != '.' && text[i + 1] != '.') {
            width += stroke;
        }
    }
    return width;
}

void DrawStrokeText(LabelCanvas& canvas, std::string_view text, double left, double top,
                    double digitWidth, double height, double stroke, int label) {
    double x = left;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            const double dotLeft = x + stroke;
            canvas.fillPolygon({{dotLeft, top + height - stroke},
                                {dotLeft + stroke, top + height - stroke},
                                {dotLeft + stroke, top + height},
                                {dotLeft, top + height}},
                               label);
            x += 3.0 * stroke;
            continue;
        }
        // Centre lines are inset by half a stroke so the ink just fills the box.
        const double scaleX = (digitWidth - stroke) / kBoxWidth;
        const double scaleY = (height - stroke) / kBoxHeight;
        for (const auto& line : DigitStrokes(c)) {
            std::vector<Point> placed;
            for (const Point& p : line) {
                placed.push_back({x + stroke / 2 + p.x * scaleX, top + stroke / 2 + p.y * scaleY});
            }
            canvas.fillPolyline(placed, stroke, label);
        }
        x += digitWidth;
        if (i + 1 < text.size() && text[i + 1] != '.') {
            x += stroke;
        }
    }
}

int PixelTextWidth(std::string_view text) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * 6 - 1;
}

void DrawPixelText(QImage& image, std::string_view text, int left, int top, QRgb colour) {
    int x = left;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            const auto& rows = kPixelDigits[static_cast<std::size_t>(c - '0')];
            for (int row = 0; row < 7; ++row) {
                for (int column = 0; column < 5; ++column) {
                    if (rows[row][column] == '#') {
                        image.setPixel(x + column, top + row, colour);
                    }
                }
            }
        }
        x += 6;
    }
}

}  // namespace artwork
