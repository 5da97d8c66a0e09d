// The drawing operations of the sight, pure functions over pictures and plain numbers.
#include "sight/sight_drawing.h"

#include "sight/sight_geometry.h"

namespace sight {

using toolkit::Bitmap;
using toolkit::Rect;

Rect DrawLens(Bitmap& view, const Bitmap& clean, int cx, int cy, int magnifyNum, int magnifyDen,
              std::uint8_t& lensRadius) {
    const LensLayout layout = LensPieces(cx, cy, magnifyNum, magnifyDen, lensRadius);
    Rect changed;
    for (const LensPiece& piece : layout.pieces) {
        changed = changed.united(view.copyRect(piece.destination, clean, piece.source));
    }
    lensRadius = std::uint8_t(layout.finalRadius);
    return changed;
}

Rect DrawKeyedSprite(Bitmap& view, const Bitmap& sprite, int left, int top) {
    return DrawKeyedSprite(view, sprite, left, top, [](int, int) { return true; });
}

Rect DrawTinyTarget(Bitmap& view, const Bitmap& man, int targetX, int targetY) {
    return DrawKeyedSprite(view, man, targetX - man.width() / 2, targetY - man.height() / 2);
}

Rect DrawMagnifiedTarget(Bitmap& view, const Bitmap& sprite, int cx, int cy, int ax, int ay,
                         int targetX, int targetY, int magnifyNum, int magnifyDen, int lensRadius) {
    const Point magnified = MagnifiedTargetPoint(cx, cy, targetX, targetY, magnifyNum, magnifyDen);
    const int left = magnified.x - sprite.width() / 2;
    const int top = magnified.y - sprite.height() / 2;
    // Well inside the lens the sprite cannot reach its edge: no test per pixel.
    if (CloserThan(ax, ay, magnified.x, magnified.y, lensRadius - 25)) {
        return DrawKeyedSprite(view, sprite, left, top);
    }
    // Near the edge only the points inside the lens are drawn; the reticle's black ring hides
    // the cut.
    if (CloserThan(ax, ay, magnified.x, magnified.y, lensRadius + 50)) {
        // The same strict test as CloserThan, in integers the compiler can keep in the loop.
        const std::int64_t lensEdge = lensRadius + 10;
        const std::int64_t edgeSquared = lensEdge * lensEdge;
        return DrawKeyedSprite(view, sprite, left, top, [&](int x, int y) {
            const std::int64_t dx = std::int64_t(x) - ax;
            const std::int64_t dy = std::int64_t(y) - ay;
            return dx * dx + dy * dy < edgeSquared;
        });
    }
    return {};
}

Rect DrawReticle(Bitmap& view, const Bitmap& reticle, int cx, int cy) {
    view.setCopyMode(toolkit::CopyMode::SrcAnd);
    return view.draw(cx - reticle.width() / 2, cy - reticle.height() / 2, reticle);
}

}  // namespace sight
