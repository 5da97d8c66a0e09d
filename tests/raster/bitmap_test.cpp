// Tests of the raster picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "raster/bitmap.h"
#include "raster/bitmap_copy_general.h"
#include "raster/changed_rows.h"

namespace {

using raster::Bitmap;
using raster::CopyMode;
using raster::Rect;

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

// A small fixed pseudo-random walk, so a failing round can be replayed.
class Walk {
  public:
    int next(int low, int high) {
        seed_ = seed_ * 1103515245u + 12345u;
        return low + int((seed_ >> 16) % std::uint32_t(high - low + 1));
    }

  private:
    std::uint32_t seed_ = 2024;
};

// For each row, the span from the first to the last pixel that differs between two pictures.
raster::ChangedRows differingRows(const Bitmap& before, const Bitmap& after) {
    raster::ChangedRows rows;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                rows.include(y, x, x + 1);
            }
        }
    }
    return rows;
}

// Whether the reported rows hold every differing pixel, and with `exactly` nothing more.
void expectReported(const raster::ChangedRows& reported, const raster::ChangedRows& differing,
                    int height, bool exactly) {
    for (int y = 0; y < height; ++y) {
        const raster::ChangedRows::Span span = differing.span(y);
        if (exactly) {
            ASSERT_EQ(reported.span(y).left, span.left) << "row " << y;
            ASSERT_EQ(reported.span(y).right, span.right) << "row " << y;
        } else if (!span.isEmpty()) {
            ASSERT_LE(reported.span(y).left, span.left) << "row " << y;
            ASSERT_GE(reported.span(y).right, span.right) << "row " << y;
        }
    }
}

// The shapes the fast copies take (1:1 rows in each mode; enlargements by up to four under
// plain copy, the lens's centre and bands among them) and some just beyond them, at random
// places across the edges of both pictures: the same pixels and the same rectangle as the
// general copy. Reported rows: a 1:1 plain or exclusive-or copy names exactly the pixels that
// changed in each row; AND (black on black changes nothing) and scaled copies at least those.
TEST(BitmapCopy, FastPathsDrawWhatTheGeneralCopyDrawsForRandomRectangles) {
    struct Shape {
        int destinationWidth, destinationHeight, sourceWidth, sourceHeight;
    };
    const Shape shapes[] = {
        {23, 7, 23, 7},   // 1:1
        {30, 12, 10, 4},  // three times, the lens's centre
        {17, 27, 5, 9},   // the lens's first band across and along
        {17, 22, 6, 7},   // second band
        {10, 17, 3, 5},   // third band
        {10, 12, 4, 4},   // fourth band
        {22, 5, 7, 2},    // along a top band: a little more than three
        {16, 4, 4, 2},    // exactly four
        {17, 4, 4, 2},    // more than four: the general copy
        {9, 3, 12, 4},    // reduction: the general copy
        {23, 21, 23, 7},  // 1:1 across, three times down
    };
    const Bitmap source = coordinatePicture(40, 30, 0x400000);
    Bitmap start = coordinatePicture(50, 36, 0x800000);
    // Some white and black in the destination and the source, so that AND and exclusive or
    // leave whole stretches of a row as they were.
    Bitmap patchy = source;
    for (int y = 0; y < patchy.height(); ++y) {
        for (int x = 0; x < patchy.width(); ++x) {
            if ((x / 5 + y / 3) % 3 == 0) {
                patchy.setPixel(x, y, 0xFFFFFF);
            } else if ((x / 7 + y) % 4 == 0) {
                patchy.setPixel(x, y, 0x000000);
            }
        }
    }
    Walk walk;
    const CopyMode modes[] = {CopyMode::SrcCopy, CopyMode::SrcAnd, CopyMode::SrcInvert};
    for (int round = 0; round < 1500; ++round) {
        const Shape& shape = shapes[round % std::size(shapes)];
        const Rect to{0, 0, shape.destinationWidth, shape.destinationHeight};
        const Rect from{0, 0, shape.sourceWidth, shape.sourceHeight};
        const int toX = walk.next(-shape.destinationWidth, 50);
        const int toY = walk.next(-shape.destinationHeight, 36);
        const int fromX = walk.next(-shape.sourceWidth, 40);
        const int fromY = walk.next(-shape.sourceHeight, 30);
        const Rect placedTo{to.left + toX, to.top + toY, to.right + toX, to.bottom + toY};
        const Rect placedFrom{from.left + fromX, from.top + fromY, from.right + fromX,
                              from.bottom + fromY};
        const Bitmap& sourcePicture = round % 2 == 0 ? source : patchy;
        SCOPED_TRACE(testing::Message() << "round " << round);

        Bitmap expected = start;
        expected.setCopyMode(modes[round / 2 % 3]);
        const Rect expectedWritten =
            raster::CopyRectGeneral(expected, placedTo, sourcePicture, placedFrom);

        Bitmap fast = start;
        fast.setCopyMode(expected.copyMode());
        ASSERT_EQ(fast.copiedArea(placedTo, sourcePicture, placedFrom), expectedWritten);
        ASSERT_EQ(fast.copyRect(placedTo, sourcePicture, placedFrom), expectedWritten);
        ASSERT_EQ(fast, expected);

        Bitmap reporting = start;
        reporting.setCopyMode(expected.copyMode());
        raster::ChangedRows changed;
        ASSERT_EQ(reporting.copyRect(placedTo, sourcePicture, placedFrom, changed),
                  expectedWritten);
        ASSERT_EQ(reporting, expected);
        expectReported(
            changed, differingRows(start, expected), start.height(),
            shape.destinationWidth == shape.sourceWidth && expected.copyMode() != CopyMode::SrcAnd);
        // Alternate destinations, so that one copy's result is the next one's start.
        if (round % 5 == 0) {
            start = expected;
        }
    }
}

// Putting an area back but for some rectangles in it: the pixels of a whole copy outside
// those rectangles, the old ones inside, and each row's changed span.
TEST(BitmapCopy, CopyExceptLeavesTheKeptRectanglesAndNamesEachRowsChangedPixels) {
    const Bitmap clean = coordinatePicture(40, 30, 0x400000);
    Bitmap drawn = clean;
    // Marks of earlier drawings, some inside the area and some in the kept rectangles.
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if ((x * 7 + y * 3) % 11 < 4) {
                drawn.setPixel(x, y, 0x000000);
            }
        }
    }
    Walk walk;
    const CopyMode modes[] = {CopyMode::SrcCopy, CopyMode::SrcAnd, CopyMode::SrcInvert};
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const int left = walk.next(-10, 35);
        const int top = walk.next(-10, 25);
        const Rect area{left, top, left + walk.next(-2, 40), top + walk.next(-2, 30)};
        std::vector<Rect> kept;
        for (int k = walk.next(0, 6); k > 0; --k) {
            const int keptLeft = walk.next(-5, 40);
            const int keptTop = walk.next(-5, 30);
            kept.push_back(
                {keptLeft, keptTop, keptLeft + walk.next(-1, 20), keptTop + walk.next(-1, 15)});
        }
        Bitmap expected = drawn;
        expected.setCopyMode(modes[round % 3]);
        raster::CopyRectGeneral(expected, area, clean, area);
        for (const Rect& rect : kept) {
            for (int y = rect.top; y < rect.bottom; ++y) {
                for (int x = rect.left; x < rect.right; ++x) {
                    if (x >= 0 && y >= 0 && x < drawn.width() && y < drawn.height()) {
                        expected.setPixel(x, y, drawn.pixel(x, y));
                    }
                }
            }
        }
        Bitmap actual = drawn;
        actual.setCopyMode(expected.copyMode());
        raster::ChangedRows changed;
        actual.copyRectExcept(area, clean, kept, changed);
        ASSERT_EQ(actual, expected);
        expectReported(changed, differingRows(drawn, expected), drawn.height(),
                       expected.copyMode() != CopyMode::SrcAnd);
    }
}

// AND and exclusive or keep where a source picture changes anything once they have looked;
// a picture changed since must be looked at again, whichever way it was changed.
TEST(BitmapCopy, ASourceChangedBetweenCopiesIsCopiedAsItIsNow) {
    struct Change {
        const char* how;
        void (*apply)(Bitmap&);
    };
    const Change changes[] = {
        {"a pixel set", [](Bitmap& p) { p.setPixel(2, 1, 0x000000); }},
        {"a row written", [](Bitmap& p) { p.scanLine(3)[4] = Bitmap::kOpaque; }},
        {"a rectangle copied onto it",
         [](Bitmap& p) {
             p.copyRect(Rect{0, 0, 3, 2}, Bitmap(3, 2, 0x0000FF), Rect{0, 0, 3, 2});
         }},
        {"a picture drawn on it", [](Bitmap& p) { p.draw(5, 2, Bitmap(2, 2, 0x00FF00)); }},
        {"another picture assigned", [](Bitmap& p) { p = Bitmap(8, 5, 0x808080); }},
    };
    for (const Change& change : changes) {
        for (const CopyMode mode : {CopyMode::SrcAnd, CopyMode::SrcInvert}) {
            SCOPED_TRACE(testing::Message() << change.how << ", mode " << std::hex << int(mode));
            // White and black only: AND and exclusive or each leave half of it alone.
            Bitmap source(8, 5, 0xFFFFFF);
            for (int x = 0; x < 8; x += 3) {
                source.setPixel(x, 2, 0x000000);
            }
            Bitmap view = coordinatePicture(10, 7, 0x800000);
            view.setCopyMode(mode);
            view.draw(1, 1, source);
            change.apply(source);
            Bitmap expected = view;
            raster::CopyRectGeneral(expected, Rect{1, 1, 9, 6}, source, Rect{0, 0, 8, 5});
            raster::ChangedRows changed;
            view.draw(1, 1, source, changed);
            EXPECT_EQ(view, expected);
        }
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

// Taking columns out of a row's span must never lose a column that lies outside them.
TEST(RectArithmetic, ExcludingColumnsKeepsEveryColumnOutsideThem) {
    struct Case {
        int left;
        int right;
        raster::ChangedRows::Span kept;
    };
    const Case cases[] = {
        {10, 20, {}},        // the whole span
        {0, 30, {}},         // more than the span
        {5, 15, {15, 20}},   // its left end
        {15, 25, {10, 15}},  // its right end
        {12, 18, {10, 20}},  // inside it: two pieces, kept whole
        {0, 10, {10, 20}},   // beside it
        {20, 30, {10, 20}},  // beside it on the right
    };
    for (const Case& c : cases) {
        raster::ChangedRows rows;
        rows.include(3, 10, 20);
        rows.exclude(3, c.left, c.right);
        rows.exclude(4, 0, 100);
        EXPECT_EQ(rows.span(3).left, c.kept.left) << c.left << ".." << c.right;
        EXPECT_EQ(rows.span(3).right, c.kept.right) << c.left << ".." << c.right;
    }
}

}  // namespace
