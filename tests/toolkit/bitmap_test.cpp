// Tests of the raster picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/bitmap.h"

namespace {

using toolkit::Bitmap;
using toolkit::CopyMode;
using toolkit::Rect;

// A picture whose every pixel tells where it is, plus a tag to tell pictures apart.
Bitmap coordinatePicture(int width, int height, std::uint32_t tag) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, tag | std::uint32_t(x << 8) | std::uint32_t(y));
        }
    }
    return picture;
}

// The copy written the slow, obvious way: every destination pixel of `to` on its own, with
// the mapping computed from the unclipped rectangles and each picture's bounds checked.
Rect referenceCopy(Bitmap& destination, const Bitmap& source, const Rect& to, const Rect& from) {
    Rect changed;
    const long long destinationWidth = to.right - to.left;
    const long long destinationHeight = to.bottom - to.top;
    const long long sourceWidth = from.right - from.left;
    const long long sourceHeight = from.bottom - from.top;
    if (destinationWidth <= 0 || destinationHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        return changed;
    }
    const Bitmap before = destination;
    for (long long j = 0; j < destinationHeight; ++j) {
        for (long long i = 0; i < destinationWidth; ++i) {
            const int x = int(to.left + i);
            const int y = int(to.top + j);
            const int sourceX = int(from.left + i * sourceWidth / destinationWidth);
            const int sourceY = int(from.top + j * sourceHeight / destinationHeight);
            if (x < 0 || y < 0 || x >= destination.width() || y >= destination.height() ||
                sourceX < 0 || sourceY < 0 || sourceX >= source.width() ||
                sourceY >= source.height()) {
                continue;
            }
            const std::uint32_t d = before.pixel(x, y);
            const std::uint32_t s = source.pixel(sourceX, sourceY);
            switch (destination.copyMode()) {
                case CopyMode::SrcCopy:
                    destination.setPixel(x, y, s);
                    break;
                case CopyMode::SrcAnd:
                    destination.setPixel(x, y, d & s);
                    break;
                case CopyMode::SrcInvert:
                    destination.setPixel(x, y, d ^ s);
                    break;
            }
            changed = changed.united(Rect{x, y, x + 1, y + 1});
        }
    }
    return changed;
}

// Which source column each destination column of a one-row copy shows, as digits.
std::string sourceColumnsShown(int destinationWidth, int sourceWidth) {
    Bitmap source(sourceWidth, 1);
    for (int x = 0; x < sourceWidth; ++x) {
        source.setPixel(x, 0, std::uint32_t(x));
    }
    Bitmap destination(destinationWidth, 1);
    destination.copyRect(Rect{0, 0, destinationWidth, 1}, source, Rect{0, 0, sourceWidth, 1});
    std::string shown;
    for (int x = 0; x < destinationWidth; ++x) {
        shown += char('0' + destination.pixel(x, 0));
    }
    return shown;
}

TEST(BitmapCopy, EachCopyModeCombinesDestinationAndSourceBitByBit) {
    struct Case {
        CopyMode mode;
        std::uint32_t destination;
        std::uint32_t source;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {CopyMode::SrcCopy, 0xF0F0F0, 0x3C5A69, 0x3C5A69},
        {CopyMode::SrcAnd, 0xF0F0F0, 0x3C5A69, 0x305060},
        {CopyMode::SrcAnd, 0x123456, 0xFFFFFF, 0x123456},  // white leaves the view alone
        {CopyMode::SrcAnd, 0x123456, 0x000000, 0x000000},  // black comes out black
        {CopyMode::SrcInvert, 0xF0F0F0, 0x3C5A69, 0xCCAA99},
        {CopyMode::SrcInvert, 0xABCDEF, 0xABCDEF, 0x000000},
    };
    for (const Case& c : cases) {
        Bitmap destination(2, 1, c.destination);
        const Bitmap source(2, 1, c.source);
        destination.setCopyMode(c.mode);
        destination.copyRect(Rect{0, 0, 1, 1}, source, Rect{0, 0, 1, 1});
        EXPECT_EQ(destination.pixel(0, 0), c.expected) << std::hex << c.destination;
        EXPECT_EQ(destination.pixel(1, 0), c.destination) << "outside the rectangle";
        // Stored as opaque 32-bit RGB whatever the mode, so a view can show it as it is.
        EXPECT_EQ(destination.bits()[0] >> 24, 0xFFu);
    }
}

TEST(BitmapCopy, ThreeTimesEnlargementRepeatsEachPixelInAThreeByThreeBlock) {
    const Bitmap source = coordinatePicture(2, 2, 0x100000);
    Bitmap destination(6, 6, 0);
    destination.copyRect(Rect{0, 0, 6, 6}, source, Rect{0, 0, 2, 2});
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(destination.pixel(x, y), source.pixel(x / 3, y / 3)) << x << "," << y;
        }
    }
}

TEST(BitmapCopy, BandEnlargementsRepeatSourceColumnsInTheirFixedPattern) {
    struct Case {
        int destinationWidth;
        int sourceWidth;
        const char* expected;
    };
    const Case cases[] = {
        {17, 5, "00001112222333444"},
        {17, 6, "00011122233344455"},
        {10, 3, "0000111222"},
        {10, 4, "0001122233"},
        {4, 8, "0246"},  // reduction skips columns
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sourceColumnsShown(c.destinationWidth, c.sourceWidth), c.expected)
            << c.destinationWidth << "/" << c.sourceWidth;
    }
}

TEST(BitmapCopy, ClippingKeepsEachDestinationPixelOnItsUnclippedSourcePixel) {
    const std::uint32_t a = 0x0000AA;
    const std::uint32_t b = 0x0000BB;
    Bitmap source(2, 1);
    source.setPixel(0, 0, a);
    source.setPixel(1, 0, b);

    // Destination starts left of the picture: column -1 is cut, the rest keeps its place.
    Bitmap destination(5, 1, 0);
    EXPECT_EQ(destination.copyRect(Rect{-1, 0, 5, 1}, source, Rect{0, 0, 2, 1}),
              (Rect{0, 0, 5, 1}));
    EXPECT_EQ(destination.pixel(0, 0), a);
    EXPECT_EQ(destination.pixel(1, 0), a);
    EXPECT_EQ(destination.pixel(2, 0), b);
    EXPECT_EQ(destination.pixel(4, 0), b);

    // Source starts left of its picture: the pixels that would show column -1 stay as they
    // were.
    Bitmap unchanged(6, 1, 0x123456);
    EXPECT_EQ(unchanged.copyRect(Rect{0, 0, 6, 1}, source, Rect{-1, 0, 1, 1}), (Rect{3, 0, 6, 1}));
    EXPECT_EQ(unchanged.pixel(2, 0), 0x123456u);
    EXPECT_EQ(unchanged.pixel(3, 0), a);
    EXPECT_EQ(unchanged.pixel(5, 0), a);
}

TEST(BitmapCopy, ClippedCopiesMatchAPixelByPixelReferenceOnAllSides) {
    const Bitmap source = coordinatePicture(6, 5, 0x400000);
    const Bitmap start = coordinatePicture(7, 6, 0x800000);
    // A small fixed pseudo-random walk over rectangles that start and end before, inside
    // and after both pictures, including empty and inverted ones.
    std::uint32_t seed = 12345;
    auto next = [&seed](int low, int high) {
        seed = seed * 1103515245u + 12345u;
        return low + int((seed >> 16) % std::uint32_t(high - low + 1));
    };
    const CopyMode modes[] = {CopyMode::SrcCopy, CopyMode::SrcAnd, CopyMode::SrcInvert};
    for (int round = 0; round < 600; ++round) {
        const int toLeft = next(-10, 9);
        const int toTop = next(-10, 8);
        const Rect to{toLeft, toTop, toLeft + next(-1, 16), toTop + next(-1, 16)};
        const int fromLeft = next(-8, 7);
        const int fromTop = next(-8, 6);
        // Every other copy is 1:1, the path a restore and a whole-picture draw take.
        const bool oneToOne = round % 2 == 0;
        const Rect from =
            oneToOne ? Rect{fromLeft, fromTop, fromLeft + to.width(), fromTop + to.height()}
                     : Rect{fromLeft, fromTop, fromLeft + next(-1, 9), fromTop + next(-1, 9)};
        Bitmap actual = start;
        Bitmap expected = start;
        actual.setCopyMode(modes[round / 2 % 3]);
        expected.setCopyMode(actual.copyMode());
        const Rect changed = actual.copyRect(to, source, from);
        const Rect expectedChanged = referenceCopy(expected, source, to, from);
        ASSERT_EQ(actual, expected) << "round " << round;
        ASSERT_EQ(changed, expectedChanged) << "round " << round;
    }
}

TEST(BitmapCopy, RectanglesWhollyOutsideOrEmptyChangeNothing) {
    const Bitmap source = coordinatePicture(4, 4, 0x400000);
    const Rect whole{0, 0, 4, 4};
    const Rect cases[] = {
        {-10, 0, -4, 4},  // left of the picture
        {5, 0, 9, 4},     // right
        {0, -8, 4, -1},   // above
        {0, 6, 4, 9},     // below
        {1, 1, 1, 3},     // no width
        {3, 3, 1, 1},     // inverted
    };
    for (const Rect& to : cases) {
        Bitmap destination = coordinatePicture(4, 4, 0x800000);
        const Bitmap before = destination;
        EXPECT_TRUE(destination.copyRect(to, source, whole).isEmpty());
        EXPECT_EQ(destination, before);
        EXPECT_TRUE(destination.copyRect(whole, source, to).isEmpty()) << "as a source rectangle";
        EXPECT_EQ(destination, before);
    }
}

TEST(BitmapCopy, ExclusiveOrDrawnTwiceRestoresThePicture) {
    const Bitmap frame = coordinatePicture(5, 4, 0x00F000);
    Bitmap view = coordinatePicture(8, 6, 0x330000);
    const Bitmap before = view;
    view.setCopyMode(CopyMode::SrcInvert);
    EXPECT_EQ(view.draw(-2, 3, frame), (Rect{0, 3, 3, 6}));
    EXPECT_NE(view, before);
    view.draw(-2, 3, frame);
    EXPECT_EQ(view, before);
}

// Shifted within one row, and by several rows each way, so that rows overlap too.
TEST(BitmapCopy, CopyWithinOnePictureReadsThePixelsAsTheyWereBefore) {
    struct Shift {
        int dx, dy;
    };
    for (const Shift shift : {Shift{1, 0}, Shift{0, 2}, Shift{2, 3}, Shift{-1, -2}, Shift{3, -4}}) {
        SCOPED_TRACE(testing::Message() << "shift " << shift.dx << ", " << shift.dy);
        Bitmap picture = coordinatePicture(8, 8, 0);
        const Bitmap before = picture;
        const Rect from{std::max(0, -shift.dx), std::max(0, -shift.dy), 8 - std::max(0, shift.dx),
                        8 - std::max(0, shift.dy)};
        const Rect to{from.left + shift.dx, from.top + shift.dy, from.right + shift.dx,
                      from.bottom + shift.dy};
        picture.copyRect(to, picture, from);
        for (int y = to.top; y < to.bottom; ++y) {
            for (int x = to.left; x < to.right; ++x) {
                EXPECT_EQ(picture.pixel(x, y), before.pixel(x - shift.dx, y - shift.dy));
            }
        }
    }
}

TEST(RectArithmetic, IntersectionAndUnionTreatEmptyRectanglesAsNothing) {
    const Rect a{0, 0, 4, 4};
    const Rect b{2, 3, 6, 8};
    EXPECT_EQ(a.intersected(b), (Rect{2, 3, 4, 4}));
    EXPECT_EQ(a.united(b), (Rect{0, 0, 6, 8}));
    EXPECT_EQ(a.intersected(Rect{4, 0, 6, 4}), Rect{});
    EXPECT_EQ(a.united(Rect{9, 9, 9, 9}), a);
    EXPECT_EQ(Rect{}.united(b), b);
}

}  // namespace
