// Tests of the smooth scaling an image control does itself.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "raster/smooth_scale.h"

namespace {

using raster::Bitmap;
using raster::Rect;
using raster::SmoothScale;

Bitmap randomPicture(int width, int height, std::uint32_t seed) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            picture.setPixel(x, y, seed >> 8);
        }
    }
    return picture;
}

QImage scaledWhole(const SmoothScale& scale, const Bitmap& picture) {
    QImage target(scale.destination(), QImage::Format_RGB32);
    target.fill(0);
    scale.scale(picture, QRect(QPoint(0, 0), scale.destination()), target, QPoint(0, 0));
    return target;
}

// Bilinear sampling at each destination pixel's centre in floating point, channel by channel.
int referenceChannel(const Bitmap& picture, QSize destination, int x, int y, int shift) {
    const auto at = [](int i, int source, int target) {
        const double centre = (i + 0.5) * source / target - 0.5;
        return std::clamp(centre, 0.0, double(source - 1));
    };
    const double sx = at(x, picture.width(), destination.width());
    const double sy = at(y, picture.height(), destination.height());
    const int x0 = int(sx);
    const int y0 = int(sy);
    const int x1 = std::min(x0 + 1, picture.width() - 1);
    const int y1 = std::min(y0 + 1, picture.height() - 1);
    const auto channel = [&](int px, int py) {
        return double((picture.pixel(px, py) >> shift) & 0xFF);
    };
    const double fx = sx - x0;
    const double fy = sy - y0;
    const double top = channel(x0, y0) * (1 - fx) + channel(x1, y0) * fx;
    const double bottom = channel(x0, y1) * (1 - fx) + channel(x1, y1) * fx;
    return int(std::lround(top * (1 - fy) + bottom * fy));
}

struct Sizes {
    const char* what;
    QSize source;
    QSize destination;
};
const Sizes kSizes[] = {
    {"the view", {1152, 864}, {576, 413}},
    {"the view at twice the device pixels", {1152, 864}, {1152, 826}},
    {"the dialog's question mark", {110, 130}, {105, 97}},
    {"enlarged", {10, 10}, {40, 25}},
    {"the same size", {9, 7}, {9, 7}},
    {"to one pixel", {6, 4}, {1, 1}},
};

TEST(SmoothScale, SamplesEachPixelBetweenItsFourNearestSourcePixels) {
    for (const Sizes& sizes : kSizes) {
        SCOPED_TRACE(sizes.what);
        const Bitmap picture = randomPicture(sizes.source.width(), sizes.source.height(), 7);
        const SmoothScale scale(sizes.source, sizes.destination);
        const QImage scaled = scaledWhole(scale, picture);
        // Every pixel of the small ones, a sample of the large ones.
        const int step = sizes.destination.width() > 100 ? 7 : 1;
        for (int y = 0; y < sizes.destination.height(); y += step) {
            for (int x = 0; x < sizes.destination.width(); x += step) {
                for (const int shift : {0, 8, 16}) {
                    const int expected = referenceChannel(picture, sizes.destination, x, y, shift);
                    const int actual = int((scaled.pixel(x, y) >> shift) & 0xFF);
                    // Weights in 256ths, rounded twice: at most two steps apart.
                    ASSERT_LE(std::abs(actual - expected), 2)
                        << x << "," << y << " channel " << shift;
                }
                ASSERT_EQ(qAlpha(scaled.pixel(x, y)), 255);
            }
        }
    }
}

// The view's scale, whatever the processor runs it with and however a repaint cuts the rows:
// each channel blended between the two picture rows in 256ths and rounded, then the pair's
// two blends averaged, rounding up. Parts of every width from one pixel on, at odd places,
// end where the vector steps leave pixels over, and nothing past them may be written.
TEST(SmoothScale, TheViewsPixelsAreExactlyTheRoundedBlendsOfEachPairWhereverAPartEnds) {
    const QSize source(1152, 864);
    const QSize destination(576, 413);
    const Bitmap picture = randomPicture(source.width(), source.height(), 3);
    const SmoothScale scale(source, destination);
    const QImage whole = scaledWhole(scale, picture);
    const auto expected = [&](int x, int y) {
        const std::int64_t centre = std::clamp<std::int64_t>(
            (2 * std::int64_t(y) + 1) * source.height() * 256 / (2 * destination.height()) - 128, 0,
            std::int64_t(source.height() - 1) * 256);
        const int row = int(centre / 256);
        const int weight = int(centre % 256);
        std::uint32_t pixel = 0xFF000000;
        for (const int shift : {0, 8, 16}) {
            int blends[2];
            for (int k = 0; k < 2; ++k) {
                const auto channel = [&](int r) {
                    return int(picture.pixel(2 * x + k, r) >> shift) & 0xFF;
                };
                const int below = weight > 0 ? channel(row + 1) : 0;
                blends[k] = (channel(row) * (256 - weight) + below * weight + 128) >> 8;
            }
            pixel |= std::uint32_t((blends[0] + blends[1] + 1) >> 1) << shift;
        }
        return pixel;
    };
    for (int y = 0; y < destination.height(); y += 5) {
        for (int x = 0; x < destination.width(); x += 3) {
            ASSERT_EQ(whole.pixel(x, y), expected(x, y)) << x << "," << y;
        }
    }
    constexpr QRgb kUntouched = 0xFF123456;
    QImage parts(destination, QImage::Format_RGB32);
    parts.fill(kUntouched);
    for (int width = 1; width <= 40; ++width) {
        const QRect part(7 * width + width % 5, 9 * width, width, 2);
        scale.scale(picture, part, parts, QPoint(0, 0));
        for (int y = part.top(); y <= part.bottom(); ++y) {
            for (int x = part.left(); x <= part.right(); ++x) {
                ASSERT_EQ(parts.pixel(x, y), expected(x, y)) << "width " << width << " at " << x;
            }
            // Nothing past the part's end is written.
            ASSERT_EQ(parts.pixel(part.right() + 1, y), kUntouched) << "width " << width;
        }
    }
}

// What an image control repaints after a drawing is what reach() names: every destination
// pixel outside it must keep its value whatever the drawing did to the area.
TEST(SmoothScale, NoPixelOutsideTheReachOfAnAreaReadsIt) {
    std::uint32_t seed = 5;
    auto next = [&seed](int low, int high) {
        seed = seed * 1103515245u + 12345u;
        return low + int((seed >> 16) % std::uint32_t(high - low + 1));
    };
    for (const Sizes& sizes : kSizes) {
        SCOPED_TRACE(sizes.what);
        const Bitmap before = randomPicture(sizes.source.width(), sizes.source.height(), 11);
        const SmoothScale scale(sizes.source, sizes.destination);
        const QImage scaledBefore = scaledWhole(scale, before);
        for (int round = 0; round < 20; ++round) {
            const int left = next(0, sizes.source.width() - 1);
            const int top = next(0, sizes.source.height() - 1);
            const Rect area{left, top, left + next(1, 12), top + next(1, 12)};
            Bitmap after = before;
            for (int y = area.top; y < area.bottom; ++y) {
                for (int x = area.left; x < area.right; ++x) {
                    after.setPixel(x, y, ~before.pixel(x, y));
                }
            }
            const QRect reached = scale.reach(area);
            const QImage scaledAfter = scaledWhole(scale, after);
            for (int y = 0; y < sizes.destination.height(); ++y) {
                for (int x = 0; x < sizes.destination.width(); ++x) {
                    if (!reached.contains(x, y)) {
                        ASSERT_EQ(scaledAfter.pixel(x, y), scaledBefore.pixel(x, y))
                            << x << "," << y << " round " << round;
                    }
                }
            }
            // And it reaches no farther than one source pixel beyond the area's own place.
            const double scaleX = double(sizes.destination.width()) / sizes.source.width();
            const double scaleY = double(sizes.destination.height()) / sizes.source.height();
            const int marginX = int(std::ceil(std::max(scaleX, 1.0)));
            const int marginY = int(std::ceil(std::max(scaleY, 1.0)));
            const QRect around(QPoint(int(std::floor(area.left * scaleX)) - marginX,
                                      int(std::floor(area.top * scaleY)) - marginY),
                               QPoint(int(std::ceil(area.right * scaleX)) + marginX,
                                      int(std::ceil(area.bottom * scaleY)) + marginY));
            ASSERT_TRUE(reached.isEmpty() || around.contains(reached))
                << "round " << round << " area " << area.left << "," << area.top << " "
                << area.right << "," << area.bottom << " reached " << reached.left() << ","
                << reached.top() << " " << reached.right() << "," << reached.bottom();
        }
    }
}

}  // namespace
