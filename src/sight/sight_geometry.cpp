// The arithmetic of the sight on plain numbers: lens pieces, target points, aim point.
#include "sight/sight_geometry.h"

#include <algorithm>

namespace sight {

namespace {

// Ring half-length across the band and step outward, innermost ring first.
struct Ring {
    int halfLength;
    int step;
};
constexpr std::array<Ring, 4> kRings{{{135, 17}, {112, 17}, {85, 10}, {60, 10}}};

double squaredDistance(int x1, int y1, int x2, int y2) {
    const double dx = double(x1) - double(x2);
    const double dy = double(y1) - double(y2);
    return dx * dx + dy * dy;
}

}  // namespace

int LensSourceDistance(int distance, int magnifyNum, int magnifyDen) {
    return (distance / magnifyNum) * magnifyDen;
}

LensLayout LensPieces(int cx, int cy, int magnifyNum, int magnifyDen, int startRadius) {
    const auto q = [&](int distance) {
        return LensSourceDistance(distance, magnifyNum, magnifyDen);
    };
    LensLayout layout;
    int radius = startRadius;
    std::size_t next = 0;
    layout.pieces[next++] = {{cx - radius, cy - radius, cx + radius, cy + radius},
                             {cx - q(radius), cy - q(radius), cx + q(radius), cy + q(radius)}};
    for (std::size_t ring = 0; ring < kRings.size(); ++ring) {
        const int n = kRings[ring].halfLength;
        const int s = kRings[ring].step;
        const int inner = q(radius);
        const int outer = q(radius + s);
        const int along = q(n);
        layout.pieces[next++] = {{cx - radius - s, cy - n, cx - radius, cy + n},
                                 {cx - outer, cy - along, cx - inner, cy + along}};
        layout.pieces[next++] = {{cx - n, cy - radius - s, cx + n, cy - radius},
                                 {cx - along, cy - outer, cx + along, cy - inner}};
        layout.pieces[next++] = {{cx + radius, cy - n, cx + radius + s, cy + n},
                                 {cx + inner, cy - along, cx + outer, cy + along}};
        layout.pieces[next++] = {{cx - n, cy + radius, cx + n, cy + radius + s},
                                 {cx - along, cy + inner, cx + along, cy + outer}};
        // The last ring is drawn at the radius the third one reached.
        if (ring + 1 < kRings.size()) {
            radius += s;
        }
    }
    layout.finalRadius = radius;
    return layout;
}

Point MagnifiedTargetPoint(int cx, int cy, int targetX, int targetY, int magnifyNum,
                           int magnifyDen) {
    return Point{cx - ((cx - targetX) * magnifyNum) / magnifyDen,
                 cy - ((cy - targetY) * magnifyNum) / magnifyDen};
}

bool CloserThan(int x1, int y1, int x2, int y2, int limit) {
    return limit > 0 && squaredDistance(x1, y1, x2, y2) < double(limit) * double(limit);
}

bool FartherThan(int x1, int y1, int x2, int y2, int limit) {
    return limit < 0 || squaredDistance(x1, y1, x2, y2) > double(limit) * double(limit);
}

bool TinyTargetShown(int cx, int cy, int targetX, int targetY, int magnifyNum, int magnifyDen,
                     int lensRadius) {
    return FartherThan(cx, cy, targetX, targetY, (magnifyDen * lensRadius) / magnifyNum);
}

int WindOffset(WindArrow arrow) {
    switch (arrow) {
        case WindArrow::None:
            return 0;
        case WindArrow::Wind:
            return -60;
        case WindArrow::Wind_diag:
            return -30;
        case WindArrow::Wind_diag_l:
            return 30;
        case WindArrow::Wind_l:
            // Deliberately not the mirror of Wind: this arrow moves the shot further.
            return 72;
    }
    return 0;
}

Point AimPoint(int mouseX, int mouseY, WindArrow arrow) {
    return Point{2 * mouseX + WindOffset(arrow), 2 * mouseY - 60};
}

Point LensCentre(int mouseX, int mouseY) {
    return Point{2 * std::min(mouseX, 574), 2 * mouseY};
}

raster::Rect SightFrameArea(int cx, int cy) {
    constexpr int kHalfSize = kLensStartRadius + 17 + 75;
    return raster::Rect{cx - kHalfSize, cy - kHalfSize, cx + kHalfSize, cy + kHalfSize};
}

}  // namespace sight
