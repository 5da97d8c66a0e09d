// The shot effects and exercise overlays: burst, smoke column, highlight frame, wind arrows.
#include <algorithm>
#include <array>
#include <cmath>

#include "label_canvas.h"
#include "noise.h"
#include "pictures.h"
#include "random.h"

namespace artwork {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kDarkRed = 0xFF800000u;
constexpr QRgb kYellow = 0xFFFFFF00u;

// Ordered 4 x 4 dither thresholds, the classic pattern of 16-colour pictures.
constexpr std::array<std::array<int, 4>, 4> kBayer = {
    {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};

bool DitherInks(double density, int x, int y) {
    return density * 16.0 > kBayer[y & 3][x & 3] + 0.5;
}

}  // namespace

QImage DrawSplash() {
    // Earth and smoke thrown up from the point of impact at the bottom centre, clods flying
    // out of it and fire inside it.
    constexpr int kSize = 64;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kWhite);
    Random random(0x5B1A5Bu);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double dx = (x + 0.5 - 32.0) / 22.0;
            const double dy = (y + 0.5 - 44.0) / 20.0;
            const double ragged = Fbm(x / 6.0, y / 6.0, 41u, 3);
            const double reach = std::sqrt(dx * dx + dy * dy) + (0.5 - ragged) * 0.9;
            if (reach < 0.78 && y < 62) {
                image.setPixel(x, y, kBlack);
            }
        }
    }
    for (int spike = 0; spike < 13; ++spike) {
        const double angle =
            3.14159265358979 * (1.02 + spike * 0.077) + random.between(-0.04, 0.04);
        const double length = random.between(22.0, 34.0);
        for (double t = 10.0; t < length; t += 0.5) {
            const int x = static_cast<int>(32.0 + std::cos(angle) * t);
            const int y = static_cast<int>(46.0 + std::sin(angle) * t);
            if (x >= 0 && x < kSize && y >= 0 && y < kSize) {
                image.setPixel(x, y, kBlack);
            }
        }
    }
    for (int clod = 0; clod < 20; ++clod) {
        const int x = 3 + random.below(58);
        const int y = 2 + random.below(36);
        image.setPixel(x, y, kBlack);
        if (random.below(2) == 0) {
            image.setPixel(x + 1, y, kBlack);
            image.setPixel(x, y + 1, kBlack);
        }
    }
    // Fire: red and dark-red flecks only inside the blot.
    for (int fleck = 0; fleck < 90; ++fleck) {
        const int x = 16 + random.below(32);
        const int y = 30 + random.below(30);
        if (image.pixel(x, y) == kBlack) {
            image.setPixel(x, y, fleck % 3 == 0 ? kDarkRed : kRed);
            if (fleck % 2 == 0 && image.pixel(x + 1, y) == kBlack) {
                image.setPixel(x + 1, y, kRed);
            }
        }
    }
    return image;
}

QImage DrawSmoke() {
    // Density falls off upwards and sideways from a column that widens as it rises.
    constexpr int kSize = 100;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kWhite);
    for (int y = 0; y < kSize; ++y) {
        const double rise = (kSize - 0.5 - y) / kSize;  // 0 at the bottom edge, 1 at the top
        const double drift = 6.0 * rise * rise;
        const double halfWidth = 12.0 + 28.0 * rise;
        for (int x = 0; x < kSize; ++x) {
            const double across = std::abs(x + 0.5 - 50.0 - drift) / halfWidth;
            const double billow = Fbm(x / 11.0, (y + 40.0 * rise) / 9.0, 77u, 4);
            double density = (1.0 - across * across) * (1.05 - 0.75 * rise) + (billow - 0.5) * 1.1;
            density = std::clamp(density, 0.0, 1.0);
            if (DitherInks(density, x, y)) {
                image.setPixel(x, y, kBlack);
            }
        }
    }
    return image;
}

QImage DrawHighlightFrame() {
    constexpr int kSize = 64;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kYellow);
    // Black inside a frame 3 pixels thick at the top and 4 at the other edges.
    for (int y = 3; y < kSize - 4; ++y) {
        for (int x = 4; x < kSize - 4; ++x) {
            image.setPixel(x, y, kBlack);
        }
    }
    return image;
}

QImage DrawWindArrows(WindArrow direction) {
    constexpr int kWidth = 64;
    constexpr int kHeight = 128;
    constexpr int kArrowLabel = 1;
    LabelCanvas canvas(kWidth, kHeight, 4);
    const bool diagonal = direction == WindArrow::UpRight || direction == WindArrow::DownLeft;
    for (int arrow = 0; arrow < 3; ++arrow) {
        if (!diagonal) {
            // Pointing right, across the full width of a third of the picture.
            const double middle = 21.0 + arrow * 42.0;
            canvas.fillPolygon({{0, middle - 4},
                                {40, middle - 4},
                                {40, middle - 14},
                                {64, middle},
                                {40, middle + 14},
                                {40, middle + 4},
                                {0, middle + 4}},
                               kArrowLabel);
        } else {
            // Pointing up and right: the head is a right angle whose arms run left along
            // the top and down the right edge, the lowest one down to the bottom corner.
            const double tipY = 20.0 + arrow * 42.0;
            const Point tip{63.5, tipY - 0.5};
            canvas.fillPolygon({{64, tipY - 3.5},
                                {64, tipY + 21.0 + 4.0},
                                {57, tipY + 21.0 + 4.0},
                                {57, tipY + 3.5},
                                {40, tipY + 3.5},
                                {40, tipY - 3.5}},
                               kArrowLabel);
            canvas.fillStroke({tip.x - 3.0, tip.y + 3.0}, {tip.x - 40.0, tip.y + 40.0}, 7.0,
                              kArrowLabel);
        }
    }
    Palette palette{};
    palette[0] = 0x000000;
    palette[kArrowLabel] = 0xFF0000;
    QImage image = canvas.resolveByMajority(palette);
    // The left-hand arrows are the right-hand ones mirrored, or turned half round for the
    // diagonal; either way the bottom-left pixel stays black.
    if (direction == WindArrow::Left) {
        return image.mirrored(true, false);
    }
    if (direction == WindArrow::DownLeft) {
        return image.mirrored(true, true);
    }
    return image;
}

}  // namespace artwork
