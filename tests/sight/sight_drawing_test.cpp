// Tests of the sight's drawing operations on small synthetic pictures.
#include <gtest/gtest.h>

#include <cstdint>

#include "sight/sight_drawing.h"
#include "sight/sight_geometry.h"

namespace {

using toolkit::Bitmap;
using toolkit::CopyMode;
using toolkit::Rect;

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

TEST(DrawKeyedSprite, APixelTestRefusesSinglePoints) {
    const Bitmap sprite(4, 4, kSpriteColour);
    Bitmap view(10, 10, kBackground);
    const Rect changed = sight::DrawKeyedSprite(view, sprite, 2, 2,
                                                [](int x, int y) { return !(x == 4 && y == 4); });
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
            sight::DrawKeyedSprite(expected, sprite, left, top, [&](int x, int y) {
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
