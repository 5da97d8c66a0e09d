// Tests of the sight's drawing operations on small synthetic pictures.
#include <gtest/gtest.h>

#include <cstdint>

#include "assets/pictures.h"
#include "sight/sight_drawing.h"
#include "sight/sight_geometry.h"

namespace {

using raster::Bitmap;
using raster::CopyMode;
using raster::Rect;

// A landscape whose every pixel tells where it is: x in the upper 12 bits, y in the lower.
Bitmap coordinateLandscape(int width, int height) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, std::uint32_t(x) << 12 | std::uint32_t(y));
        }
    }
    return picture;
}

constexpr std::uint32_t kBackground = 0x5A5A5A;
constexpr std::uint32_t kSpriteColour = 0x204080;

// The keyed sprite drawn the plain way, pixel by pixel, as the row-by-row drawing must draw
// it: white see-through, column 0 and row 0 left out, `accepts(x, y)` refusing single view
// points. Returns the bounding rectangle of what it drew.
template <typename PixelTest>
Rect drawKeyedSpritePixelByPixel(Bitmap& view, const Bitmap& sprite, int left, int top,
                                 PixelTest accepts) {
    Rect changed;
    for (int j = 1; j < sprite.height(); ++j) {
        for (int i = 1; i < sprite.width(); ++i) {
            const int x = left + i;
            const int y = top + j;
            const std::uint32_t colour = sprite.pixel(i, j);
            if (x < 0 || y < 0 || x >= view.width() || y >= view.height() ||
                colour == sight::kSeeThroughColour || !accepts(x, y)) {
                continue;
            }
            view.setPixel(x, y, colour);
            changed = changed.united(Rect{x, y, x + 1, y + 1});
        }
    }
    return changed;
}

// Floor division, to state the 3x mapping independently of the copy's own arithmetic.
int floorDivide(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

TEST(DrawLens, TheCentreShowsTheCleanLandscapeEnlargedThreeTimes) {
    const Bitmap clean = coordinateLandscape(1152, 864);
    Bitmap view(1152, 864, 0);
    std::uint8_t lensRadius = 150;
    const Rect changed = sight::DrawLens(view, clean, 600, 400, 3, 1, lensRadius);

    EXPECT_EQ(lensRadius, 194);
    EXPECT_EQ(changed, (Rect{396, 196, 804, 604}));
    for (int dy = -150; dy < 150; ++dy) {
        for (int dx = -150; dx < 150; ++dx) {
            ASSERT_EQ(view.pixel(600 + dx, 400 + dy),
                      clean.pixel(600 + floorDivide(dx, 3), 400 + floorDivide(dy, 3)))
                << dx << "," << dy;
        }
    }
}

TEST(DrawLens, OuterRingsShowTheirBandsAndLeaveTheNotchesBetweenSteps) {
    const Bitmap clean = coordinateLandscape(1152, 864);
    Bitmap view(1152, 864, 0);
    std::uint8_t lensRadius = 150;
    sight::DrawLens(view, clean, 600, 400, 3, 1, lensRadius);
    // Ring 4 right: 10 columns from 794 show the 4 columns from 664, 9 * 4 / 10 = 3 in.
    EXPECT_EQ(view.pixel(803, 400), clean.pixel(667, 400));
    // Ring 1 left: 17 columns from 433 show the 5 columns from 545, 16 * 5 / 17 = 4 in.
    EXPECT_EQ(view.pixel(449, 400), clean.pixel(549, 400));
    // Between ring 2 (up to 112 high) and ring 3 (from x 184): no piece, the view stays.
    EXPECT_EQ(view.pixel(770, 520), 0u);
    // Beyond the last ring.
    EXPECT_EQ(view.pixel(804, 400), 0u);
}

TEST(DrawLens, OffTheLeftEdgeClipsWithoutMovingTheMagnifiedScene) {
    // Mouse X -15: the lens centre (-30, 5) lies outside the picture. The centre square's
    // view column x shows landscape column -30 + floor((x + 30) / 3), so columns left of 60
    // would show landscape columns left of 0 and keep what the view had.
    const Bitmap clean = coordinateLandscape(1152, 864);
    Bitmap view(1152, 864, 0);
    std::uint8_t lensRadius = 150;
    const Rect changed = sight::DrawLens(view, clean, -30, 5, 3, 1, lensRadius);
    // The bottom bands of rings 3 and 4 show landscape columns left of 0 only: the lowest
    // drawn row is the last of ring 2's bottom band.
    EXPECT_EQ(changed, (Rect{60, 0, 174, 189}));
    EXPECT_EQ(view.pixel(59, 5), 0u);
    EXPECT_EQ(view.pixel(60, 5), clean.pixel(0, 5));
    EXPECT_EQ(view.pixel(62, 3), clean.pixel(0, 4));
    EXPECT_EQ(view.pixel(63, 1), clean.pixel(1, 3));
}

TEST(DrawKeyedSprite, SkipsWhiteAndNeverDrawsColumnZeroOrRowZero) {
    Bitmap sprite(4, 3, kSpriteColour);
    sprite.setPixel(0, 2, 0x010101);  // column 0
    sprite.setPixel(3, 0, 0x020202);  // row 0
    sprite.setPixel(2, 1, sight::kSeeThroughColour);
    Bitmap view(20, 20, kBackground);
    view.setCopyMode(CopyMode::SrcAnd);  // pixels are set directly whatever the mode

    const Rect changed = sight::DrawKeyedSprite(view, sprite, 10, 5);

    EXPECT_EQ(changed, (Rect{11, 6, 14, 8}));
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 4; ++i) {
            const bool drawn = i >= 1 && j >= 1 && !(i == 2 && j == 1);
            EXPECT_EQ(view.pixel(10 + i, 5 + j), drawn ? kSpriteColour : kBackground)
                << i << "," << j;
        }
    }
}

TEST(DrawKeyedSprite, ClipsAtTheViewEdgesAndDrawsNothingForAOnePixelWideSprite) {
    const Bitmap sprite(5, 5, kSpriteColour);
    Bitmap view(6, 6, kBackground);
    EXPECT_EQ(sight::DrawKeyedSprite(view, sprite, -2, 3), (Rect{0, 4, 3, 6}));
    EXPECT_EQ(view.pixel(0, 4), kSpriteColour);
    EXPECT_EQ(view.pixel(0, 3), kBackground);

    Bitmap untouched(6, 6, kBackground);
    EXPECT_TRUE(sight::DrawKeyedSprite(untouched, Bitmap(1, 5, kSpriteColour), 1, 1).isEmpty());
    EXPECT_EQ(untouched, Bitmap(6, 6, kBackground));
}

TEST(DrawKeyedSprite, ThePixelByPixelReferenceRefusesSinglePoints) {
    const Bitmap sprite(4, 4, kSpriteColour);
    Bitmap view(10, 10, kBackground);
    const Rect changed = drawKeyedSpritePixelByPixel(
        view, sprite, 2, 2, [](int x, int y) { return !(x == 4 && y == 4); });
    EXPECT_EQ(changed, (Rect{3, 3, 6, 6}));
    EXPECT_EQ(view.pixel(4, 4), kBackground);
    EXPECT_EQ(view.pixel(5, 4), kSpriteColour);
}

TEST(DrawTinyTarget, CentresManOnTheTargetsTruePlace) {
    Bitmap man(18, 12, kSpriteColour);
    man.setPixel(1, 1, 0x0000FF);
    Bitmap view(200, 100, kBackground);
    sight::DrawTinyTarget(view, man, 100, 50);
    EXPECT_EQ(view.pixel(92, 45), 0x0000FFu);  // top-left at (91, 44)
    EXPECT_EQ(view.pixel(91, 44), kBackground);
}

// The disc-cut sprite of the lens edge, found row by row, against the same cut as a test of
// each point: random sprites with see-through holes, discs of random sizes around random
// places, sprites half off the view.
TEST(DrawKeyedSprite, TheDiscCutDrawsWhatTheSameDistanceTestPerPixelDraws) {
    std::uint32_t seed = 99;
    auto next = [&seed](int low, int high) {
        seed = seed * 1103515245u + 12345u;
        return low + int((seed >> 16) % std::uint32_t(high - low + 1));
    };
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        Bitmap sprite(next(1, 40), next(1, 30), kSpriteColour);
        for (int k = next(0, 200); k > 0; --k) {
            sprite.setPixel(next(0, sprite.width() - 1), next(0, sprite.height() - 1),
                            next(0, 2) == 0 ? sight::kSeeThroughColour : std::uint32_t(k));
        }
        const int left = next(-30, 70);
        const int top = next(-20, 50);
        const int cx = next(-10, 90);
        const int cy = next(-10, 70);
        const int radius = next(-2, 40);
        const std::int64_t radiusSquared = std::int64_t(radius) * radius;

        Bitmap expected(80, 60, kBackground);
        const Rect expectedChanged =
            drawKeyedSpritePixelByPixel(expected, sprite, left, top, [&](int x, int y) {
                const std::int64_t dx = x - cx;
                const std::int64_t dy = y - cy;
                return radius > 0 && dx * dx + dy * dy < radiusSquared;
            });
        Bitmap actual(80, 60, kBackground);
        EXPECT_EQ(sight::DrawKeyedSpriteInDisc(actual, sprite, left, top, cx, cy, radius),
                  expectedChanged);
        ASSERT_EQ(actual, expected);
    }
}

// A 77 x 50 target sprite of one colour, as large as a middle target size.
Bitmap targetSprite() {
    return Bitmap(77, 50, kSpriteColour);
}

TEST(DrawMagnifiedTarget, DrawsWholeClippedOrNothingByTheMagnifiedOffset) {
    // Mouse (300, 200): lens and cursor point at (600, 400). The target lies straight to the
    // right by `controlOffset`; its magnified offset is six times that. Column 803 is 203 from
    // the cursor point, 804 exactly 204, 806 beyond the lens edge.
    const struct {
        int controlOffset;
        bool drawnAt803;
        bool drawnAt804;
        bool drawnAt806;
    } cases[] = {
        {28, true, true, true},     // 168: whole sprite, no edge test
        {29, true, false, false},   // 174: clipped at the lens edge
        {40, true, false, false},   // 240: clipped
        {41, false, false, false},  // 246: not drawn
    };
    for (const auto& c : cases) {
        Bitmap view(1152, 864, kBackground);
        const Rect changed = sight::DrawMagnifiedTarget(
            view, targetSprite(), 600, 400, 600, 400, 2 * (300 + c.controlOffset), 400, 3, 1, 194);
        const auto drawn = [&](int x) { return view.pixel(x, 400) == kSpriteColour; };
        EXPECT_EQ(drawn(803), c.drawnAt803) << c.controlOffset;
        EXPECT_EQ(drawn(804), c.drawnAt804) << c.controlOffset;
        EXPECT_EQ(drawn(806), c.drawnAt806) << c.controlOffset;
        EXPECT_EQ(changed.isEmpty(), !c.drawnAt803) << c.controlOffset;
    }
}

TEST(DrawMagnifiedTarget, PlacesTheSpriteAtTheMagnifiedPointAndClipsItNearTheEdge) {
    Bitmap sprite = targetSprite();
    sprite.setPixel(1, 1, 0x0000FF);
    sprite.setPixel(76, 49, 0x00FF00);

    // Mouse (300, 200), target (310, 205): magnified point (660, 430), whole sprite.
    Bitmap near(1152, 864, kBackground);
    sight::DrawMagnifiedTarget(near, sprite, 600, 400, 600, 400, 620, 410, 3, 1, 194);
    EXPECT_EQ(near.pixel(623, 406), 0x0000FFu);

    // Target (330, 215): magnified point (780, 490), about 201 out: the corner pixel (1, 1)
    // at about 157 is drawn, the far corner (76, 49) at about 246 is not.
    Bitmap edge(1152, 864, kBackground);
    sight::DrawMagnifiedTarget(edge, sprite, 600, 400, 600, 400, 660, 430, 3, 1, 194);
    EXPECT_EQ(edge.pixel(743, 466), 0x0000FFu);
    EXPECT_EQ(edge.pixel(818, 514), kBackground);
}

TEST(DrawMagnifiedTarget, MeasuresDistancesFromTheCursorPointNotTheLensCentre) {
    // Mouse X 575 held at 574: lens centre x 1148, cursor point x 1150. The magnified point
    // (980, 400) is 168 from the centre but 170 from the cursor point, so the sprite is cut
    // 204 from the cursor point: column 946 goes, 947 stays.
    Bitmap view(1152, 864, kBackground);
    sight::DrawMagnifiedTarget(view, targetSprite(), 1148, 400, 1150, 400, 1092, 400, 3, 1, 194);
    EXPECT_EQ(view.pixel(946, 400), kBackground);
    EXPECT_EQ(view.pixel(947, 400), kSpriteColour);
}

TEST(DrawReticle, AndsTheReticleCentredOnTheLensWithTheAimPoint60Above) {
    Bitmap reticle(450, 450, 0xFFFFFF);
    reticle.setPixel(225, 225, 0x000000);
    reticle.setPixel(225, 165, 0x0F0F0F);
    const Bitmap clean = coordinateLandscape(1152, 864);
    Bitmap view = clean;
    view.setCopyMode(CopyMode::SrcInvert);  // left by the target marker

    const sight::Point centre = sight::LensCentre(300, 200);
    const Rect changed = sight::DrawReticle(view, reticle, centre.x, centre.y);

    EXPECT_EQ(changed, (Rect{375, 175, 825, 625}));
    EXPECT_EQ(view.copyMode(), CopyMode::SrcAnd);
    EXPECT_EQ(view.pixel(600, 400), 0u);
    const sight::Point aim = sight::AimPoint(300, 200, sight::WindArrow::None);
    EXPECT_EQ(view.pixel(aim.x, aim.y), clean.pixel(aim.x, aim.y) & 0x0F0F0F);
    EXPECT_EQ(view.pixel(601, 400), clean.pixel(601, 400)) << "white leaves the view alone";
}

}  // namespace

namespace {

// The frame drawn the plain way: the previous frame's whole area put back, then the steps.
void drawPlainFrame(Bitmap& view, const sight::FramePictures& pictures,
                    const sight::FramePlace& place, const Rect& previousArea) {
    view.setCopyMode(CopyMode::SrcCopy);
    view.copyRect(previousArea, pictures.clean, previousArea);
    std::uint8_t lensRadius = sight::kLensStartRadius;
    if (sight::TinyTargetShown(place.cx, place.cy, place.targetX, place.targetY, 3, 1,
                               lensRadius)) {
        sight::DrawTinyTarget(view, pictures.man, place.targetX, place.targetY);
    }
    sight::DrawLens(view, pictures.clean, place.cx, place.cy, 3, 1, lensRadius);
    sight::DrawMagnifiedTarget(view, pictures.sprite, place.cx, place.cy, place.cursorX,
                               place.cursorY, place.targetX, place.targetY, 3, 1, lensRadius);
    sight::DrawReticle(view, pictures.reticle, place.cx, place.cy);
}

bool covers(const sight::FrameChanges& changes, int x, int y) {
    const auto inside = [x](raster::ChangedRows::Span span) {
        return x >= span.left && x < span.right;
    };
    const Rect& tiny = changes.tinyTarget;
    return inside(changes.restored.span(y)) || inside(changes.drawn.span(y)) ||
           (x >= tiny.left && x < tiny.right && y >= tiny.top && y < tiny.bottom);
}

}  // namespace

// The frame the mouse handler draws puts back only what its own lens does not cover. Over
// sequences of moves it must leave the view exactly as the plain frame does, whatever the
// previous frame, a marker frame or a burst left; and every pixel it changes must lie in what
// it reports, since only that is repainted.
TEST(DrawSightFrame, LeavesTheViewAsThePlainFrameDoesOverSequencesOfMoves) {
    const Bitmap clean = assets::LoadPicture("Image1");
    const Bitmap man = assets::LoadPicture("man");
    const Bitmap sprite = assets::LoadPicture("b80");
    const Bitmap reticle = assets::LoadPicture("setka");
    const Bitmap box = assets::LoadPicture("Box");
    const Bitmap burst = assets::LoadPicture("splash");
    const sight::FramePictures pictures{clean, man, sprite, reticle};

    enum class Between { Nothing, Marker, Burst };
    struct Move {
        int x;  // the mouse over the 576 x 413 view
        int y;
        Between before = Between::Nothing;
    };
    struct Sequence {
        const char* what;
        int targetX;  // control pixels
        int targetY;
        std::vector<Move> moves;
    };
    const Sequence sequences[] = {
        {"small steps with the target coming into the lens",
         300,
         230,
         {{250, 200},
          {251, 200},
          {253, 201},
          {253, 201},
          {256, 203},
          {262, 208},
          {270, 214},
          {283, 222},
          {298, 229},
          {299, 230}}},
        {"large jumps",
         120,
         300,
         {{10, 10}, {560, 400}, {288, 206}, {100, 300, Between::Marker}, {470, 50}}},
        {"edges and corners, the right one held at 574",
         450,
         220,
         {{0, 0},
          {1, 0},
          {573, 0},
          {574, 0},
          {575, 1},
          {575, 412},
          {574, 411},
          {0, 412},
          {0, 200},
          {575, 200}}},
        {"dragged outside the view",
         200,
         250,
         {{300, 200}, {-20, 100}, {-150, 100}, {300, -30}, {300, 450}, {700, 200}, {300, 200}}},
        // Where the lens would show what lies beyond the picture it draws nothing, so what
        // the last frame left there must be put back.
        {"the lens reaching beyond the picture over the last frame",
         100,
         380,
         {{10, 100},
          {-20, 100},
          {-5, 101},
          {300, 400},
          {300, 440},
          {301, 425},
          {300, 10},
          {300, -20},
          {299, -8}}},
        {"markers and bursts between frames",
         300,
         250,
         {{290, 240},
          {292, 240, Between::Marker},
          {294, 242, Between::Burst},
          {330, 260, Between::Marker},
          {331, 260},
          {310, 255, Between::Burst}}},
        // The marker lands in a corner of the last frame's square that the new lens leaves.
        {"a marker outside the lens, inside the last frame's area",
         300,
         250,
         {{210, 160}, {212, 161, Between::Marker}, {213, 161}, {215, 162, Between::Marker}}},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.what);
        Bitmap actual = clean;
        Bitmap expected = clean;
        Rect dirty;
        sight::FrameChanges changes;
        const int targetX = 2 * sequence.targetX;
        const int targetY = 2 * sequence.targetY;
        for (const Move& move : sequence.moves) {
            SCOPED_TRACE(testing::Message() << "mouse " << move.x << ", " << move.y);
            const sight::Point centre = sight::LensCentre(move.x, move.y);
            for (Bitmap* view : {&actual, &expected}) {
                if (move.before == Between::Marker) {
                    view->setCopyMode(CopyMode::SrcInvert);
                    view->draw(targetX - box.width() / 2, targetY - box.height() / 2, box);
                } else if (move.before == Between::Burst) {
                    view->setCopyMode(CopyMode::SrcAnd);
                    view->draw(centre.x - burst.width() / 2, centre.y - 60 - burst.height(), burst);
                }
            }
            const Bitmap before = actual;
            const sight::FramePlace place{centre.x, centre.y, 2 * move.x, 2 * move.y,
                                          targetX,  targetY,  3,          1};
            std::uint8_t lensRadius = sight::kLensStartRadius;
            sight::DrawSightFrame(actual, pictures, place, dirty, lensRadius, changes);
            drawPlainFrame(expected, pictures, place, dirty);
            EXPECT_EQ(lensRadius, 194);
            EXPECT_EQ(actual.copyMode(), CopyMode::SrcAnd);
            ASSERT_EQ(actual, expected);
            for (int y = 0; y < actual.height(); ++y) {
                for (int x = 0; x < actual.width(); ++x) {
                    if (actual.pixel(x, y) != before.pixel(x, y)) {
                        ASSERT_TRUE(covers(changes, x, y))
                            << "changed but not reported: " << x << ", " << y;
                    }
                }
            }
            dirty = sight::SightFrameArea(centre.x, centre.y);
        }
    }
}
