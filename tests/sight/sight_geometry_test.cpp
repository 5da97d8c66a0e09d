// Tests of the sight's arithmetic: lens pieces, target points, aim point.
#include <gtest/gtest.h>

#include "sight/sight_geometry.h"

namespace {

using raster::Rect;
using sight::Point;
using sight::WindArrow;

Rect offsetBy(const Rect& offsets, int cx, int cy) {
    return Rect{cx + offsets.left, cy + offsets.top, cx + offsets.right, cy + offsets.bottom};
}

TEST(LensPieces, AFrameAtMouse300By200CopiesTheseSeventeenRectanglesInOrder) {
    // Destination and source as offsets from the lens centre, worked out by hand from the
    // ring radii 150, 167, 184, 194 and q(v) = (v div 3) * 1.
    const struct {
        Rect destination;
        Rect source;
    } expected[] = {
        {{-150, -150, 150, 150}, {-50, -50, 50, 50}},  // centre
        {{-167, -135, -150, 135}, {-55, -45, -50, 45}},
        {{-135, -167, 135, -150}, {-45, -55, 45, -50}},
        {{150, -135, 167, 135}, {50, -45, 55, 45}},
        {{-135, 150, 135, 167}, {-45, 50, 45, 55}},
        {{-184, -112, -167, 112}, {-61, -37, -55, 37}},
        {{-112, -184, 112, -167}, {-37, -61, 37, -55}},
        {{167, -112, 184, 112}, {55, -37, 61, 37}},
        {{-112, 167, 112, 184}, {-37, 55, 37, 61}},
        {{-194, -85, -184, 85}, {-64, -28, -61, 28}},
        {{-85, -194, 85, -184}, {-28, -64, 28, -61}},
        {{184, -85, 194, 85}, {61, -28, 64, 28}},
        {{-85, 184, 85, 194}, {-28, 61, 28, 64}},
        {{-204, -60, -194, 60}, {-68, -20, -64, 20}},
        {{-60, -204, 60, -194}, {-20, -68, 20, -64}},
        {{194, -60, 204, 60}, {64, -20, 68, 20}},
        {{-60, 194, 60, 204}, {-20, 64, 20, 68}},
    };
    const Point centre = sight::LensCentre(300, 200);
    ASSERT_EQ(centre, (Point{600, 400}));
    const sight::LensLayout layout =
        sight::LensPieces(centre.x, centre.y, 3, 1, sight::kLensStartRadius);
    for (std::size_t k = 0; k < layout.pieces.size(); ++k) {
        EXPECT_EQ(layout.pieces[k].destination, offsetBy(expected[k].destination, 600, 400))
            << "piece " << k + 1;
        EXPECT_EQ(layout.pieces[k].source, offsetBy(expected[k].source, 600, 400))
            << "piece " << k + 1;
    }
    EXPECT_EQ(layout.pieces[0].destination, (Rect{450, 250, 750, 550}));
    EXPECT_EQ(layout.pieces[0].source, (Rect{550, 350, 650, 450}));
    EXPECT_EQ(layout.finalRadius, 194);
}

TEST(TinyTarget, IsShownOnlyWhenStrictlyFartherThanFiftyFromAFreshLens) {
    const struct {
        int dx;
        int dy;
        bool shown;
    } cases[] = {
        {50, 0, false},                    // 25 control pixels to the side: the lens covers it
        {52, 0, true},                     // 26 control pixels
        {0, -50, false},                   // straight above, exactly 50
        {30, 40, false},                   // exactly 50 on a slant
        {30, 41, true},  {20, 10, false},  // mouse (300, 200), target (310, 205)
        {-120, 0, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sight::TinyTargetShown(600, 400, 600 + c.dx, 400 + c.dy, 3, 1, 150), c.shown)
            << c.dx << "," << c.dy;
    }
}

TEST(MagnifiedTargetPoint, MovesTheTargetAwayFromTheCentreByTheMagnificationTruncating) {
    const struct {
        int cx, cy, targetX, targetY, num, den;
        Point expected;
    } cases[] = {
        {600, 400, 620, 410, 3, 1, {660, 430}},
        {600, 400, 580, 390, 3, 1, {540, 370}},
        {600, 400, 600, 400, 3, 1, {600, 400}},
        // Toward zero, not down: -3 / 2 is -1 on both sides of the centre.
        {0, 0, 1, -1, 3, 2, {1, -1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sight::MagnifiedTargetPoint(c.cx, c.cy, c.targetX, c.targetY, c.num, c.den),
                  c.expected)
            << c.targetX << "," << c.targetY;
    }
}

TEST(AimPoint, IsTheDoubledMouse60AboveTheCentreMovedByTheWind) {
    const struct {
        WindArrow arrow;
        int mouseX;
        int mouseY;
        Point expected;
    } cases[] = {
        {WindArrow::None, 300, 200, {600, 340}},
        {WindArrow::Wind, 100, 200, {140, 340}},
        {WindArrow::Wind_diag, 100, 200, {170, 340}},
        {WindArrow::Wind_diag_l, 100, 200, {230, 340}},
        {WindArrow::Wind_l, 100, 200, {272, 340}},
        {WindArrow::None, 575, 10, {1150, -40}},  // not held at the lens clamp
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sight::AimPoint(c.mouseX, c.mouseY, c.arrow), c.expected) << c.mouseX;
    }
}

TEST(LensCentre, HoldsTheMouseAt574OnTheRightOnly) {
    EXPECT_EQ(sight::LensCentre(575, 100), (Point{1148, 200}));
    EXPECT_EQ(sight::LensCentre(574, 500), (Point{1148, 1000}));
    EXPECT_EQ(sight::LensCentre(-5, -3), (Point{-10, -6}));
}

TEST(SightFrameArea, IsThe484SquareAroundTheLensCentre) {
    EXPECT_EQ(sight::SightFrameArea(600, 400), (Rect{358, 158, 842, 642}));
}

}  // namespace
