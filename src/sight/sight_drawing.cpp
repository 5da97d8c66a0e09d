// The drawing operations of the sight, pure functions over pictures and plain numbers.
#include "sight/sight_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "raster/row_search.h"
#include "sight/sight_geometry.h"

namespace sight {

using raster::Bitmap;
using raster::Rect;

namespace {
Rect DrawLensPieces(Bitmap& view, const Bitmap& clean, int cx, int cy, int magnifyNum,
                    int magnifyDen, std::uint8_t& lensRadius, raster::ChangedRows* changed) {
    const LensLayout layout = LensPieces(cx, cy, magnifyNum, magnifyDen, lensRadius);
    Rect bounds;
    for (const LensPiece& piece : layout.pieces) {
        const Rect written = view.copyRect(piece.destination, clean, piece.source);
        if (changed != nullptr) {
            changed->include(written);
        }
        bounds = bounds.united(written);
    }
    lensRadius = std::uint8_t(layout.finalRadius);
    return bounds;
}
}  // namespace

Rect DrawLens(Bitmap& view, const Bitmap& clean, int cx, int cy, int magnifyNum, int magnifyDen,
              std::uint8_t& lensRadius) {
    return DrawLensPieces(view, clean, cx, cy, magnifyNum, magnifyDen, lensRadius, nullptr);
}

Rect DrawLens(Bitmap& view, const Bitmap& clean, int cx, int cy, int magnifyNum, int magnifyDen,
              std::uint8_t& lensRadius, raster::ChangedRows& changed) {
    return DrawLensPieces(view, clean, cx, cy, magnifyNum, magnifyDen, lensRadius, &changed);
}

namespace {

bool SeeThrough(std::uint32_t stored) {
    return (stored & Bitmap::kRgbMask) == kSeeThroughColour;
}

// One row of a sprite over the view: white leaves the view's pixel, any other colour replaces
// it. A select, not a branch, so the compiler makes vector steps of it (-O3, see CMakeLists).
void KeyedRow(std::uint32_t* target, const std::uint32_t* source, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        target[k] = SeeThrough(source[k]) ? target[k] : source[k];
    }
}

// The part of a sprite a keyed copy can draw with its top-left at (left, top): sprite columns
// [firstColumn, endColumn) and rows [firstRow, endRow), leaving out column 0 and row 0 and
// whatever lies outside the view. In 64 bits, so far-off positions cannot overflow.
struct SpritePart {
    std::int64_t firstColumn;
    std::int64_t endColumn;
    std::int64_t firstRow;
    std::int64_t endRow;
};
SpritePart VisibleSpritePart(const Bitmap& view, const Bitmap& sprite, int left, int top) {
    const auto firstInside = [](int origin) {
        return std::max<std::int64_t>(1, -std::int64_t(origin));
    };
    return SpritePart{
        firstInside(left),
        std::min<std::int64_t>(sprite.width(), std::int64_t(view.width()) - left),
        firstInside(top),
        std::min<std::int64_t>(sprite.height(), std::int64_t(view.height()) - top),
    };
}

// View columns [first, end).
struct Columns {
    std::int64_t first;
    std::int64_t end;
};

// The keyed sprite drawn row by row, on view row y only over the view columns
// columnsOnRow(y) gives as [first, end). Each row is cut to its first and last drawn pixel,
// which makes the changed rectangle exact.
template <typename ColumnsOnRow>
Rect DrawKeyedRows(Bitmap& view, const Bitmap& sprite, int left, int top,
                   ColumnsOnRow columnsOnRow) {
    const SpritePart part = VisibleSpritePart(view, sprite, left, top);
    Rect changed;
    for (std::int64_t j = part.firstRow; j < part.endRow; ++j) {
        const int y = top + int(j);
        const auto [firstX, endX] = columnsOnRow(y);
        std::int64_t first = std::max<std::int64_t>(part.firstColumn, std::int64_t(firstX) - left);
        std::int64_t end = std::min<std::int64_t>(part.endColumn, std::int64_t(endX) - left);
        const std::uint32_t* row = sprite.scanLine(int(j));
        while (first < end && SeeThrough(row[first])) {
            ++first;
        }
        while (end > first && SeeThrough(row[end - 1])) {
            --end;
        }
        if (first >= end) {
            continue;
        }
        KeyedRow(view.scanLine(y) + left + first, row + first, std::size_t(end - first));
        changed = changed.united(Rect{left + int(first), y, left + int(end), y + 1});
    }
    return changed;
}

}  // namespace

Rect DrawKeyedSprite(Bitmap& view, const Bitmap& sprite, int left, int top) {
    return DrawKeyedRows(view, sprite, left, top, [&view](int) {
        return Columns{0, view.width()};
    });
}

Rect DrawKeyedSpriteInDisc(Bitmap& view, const Bitmap& sprite, int left, int top, int cx, int cy,
                           int radius) {
    const std::int64_t radiusSquared = std::int64_t(radius) * radius;
    return DrawKeyedRows(view, sprite, left, top, [&](int y) {
        // The columns x with (x - cx)^2 < radius^2 - (y - cy)^2: |x - cx| <= h, h the largest
        // whole number whose square is below that.
        const std::int64_t dy = std::int64_t(y) - cy;
        const std::int64_t room = radiusSquared - dy * dy;
        if (radius <= 0 || room <= 0) {
            return Columns{0, 0};
        }
        auto h = std::int64_t(std::sqrt(double(room)));
        while (h * h >= room) {
            --h;
        }
        while ((h + 1) * (h + 1) < room) {
            ++h;
        }
        return Columns{cx - h, cx + h + 1};
    });
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
        return DrawKeyedSpriteInDisc(view, sprite, left, top, ax, ay, lensRadius + 10);
    }
    return {};
}

Rect DrawReticle(Bitmap& view, const Bitmap& reticle, int cx, int cy) {
    view.setCopyMode(raster::CopyMode::SrcAnd);
    return view.draw(cx - reticle.width() / 2, cy - reticle.height() / 2, reticle);
}

Rect DrawReticle(Bitmap& view, const Bitmap& reticle, int cx, int cy,
                 raster::ChangedRows& changed) {
    view.setCopyMode(raster::CopyMode::SrcAnd);
    return view.draw(cx - reticle.width() / 2, cy - reticle.height() / 2, reticle, changed);
}

namespace {

// Brings `marks` up to date with the view and the landscape as they are: kept while neither
// has changed since the last frame; empty for a view that is a copy of the landscape;
// otherwise each row's span from its first to its last pixel that differs.
void UpdateMarks(const Bitmap& view, const Bitmap& clean, ViewMarks& marks) {
    if (marks.viewStamp == view.stamp() && marks.cleanStamp == clean.stamp()) {
        return;
    }
    marks.rows.clear();
    if (view.stamp() != clean.stamp()) {
        const int width = std::min(view.width(), clean.width());
        const int height = std::min(view.height(), clean.height());
        for (int y = 0; y < height; ++y) {
            const raster::DifferingPart part = raster::FindDifferingPart(
                view.scanLine(y), raster::OtherRow{clean.scanLine(y)}, std::size_t(width));
            marks.rows.include(y, int(part.first), int(part.end));
        }
    }
}

// After `area` has been put back but for what the new lens covers, the view differs from the
// landscape there only where this frame draws.
void ForgetPutBack(const Bitmap& view, const Bitmap& clean, const Rect& area, ViewMarks& marks) {
    const Rect inside = area.intersected(view.rect()).intersected(clean.rect());
    for (int y = inside.top; y < inside.bottom; ++y) {
        marks.rows.exclude(y, inside.left, inside.right);
    }
}

}  // namespace

void DrawSightFrame(Bitmap& view, const FramePictures& pictures, const FramePlace& place,
                    const Rect& previousArea, std::uint8_t& lensRadius, FrameChanges& changes) {
    changes.clear();
    ViewMarks& marks = changes.marks;
    UpdateMarks(view, pictures.clean, marks);
    const LensLayout lens =
        LensPieces(place.cx, place.cy, place.magnifyNum, place.magnifyDen, lensRadius);
    std::array<Rect, std::tuple_size_v<decltype(lens.pieces)>> covered;
    for (std::size_t k = 0; k < covered.size(); ++k) {
        covered[k] =
            view.copiedArea(lens.pieces[k].destination, pictures.clean, lens.pieces[k].source);
    }
    view.setCopyMode(raster::CopyMode::SrcCopy);
    view.copyRectExcept(previousArea, pictures.clean, covered, changes.restored, &marks.rows);
    ForgetPutBack(view, pictures.clean, previousArea, marks);
    if (TinyTargetShown(place.cx, place.cy, place.targetX, place.targetY, place.magnifyNum,
                        place.magnifyDen, lensRadius)) {
        changes.tinyTarget = DrawTinyTarget(view, pictures.man, place.targetX, place.targetY);
    }
    DrawLens(view, pictures.clean, place.cx, place.cy, place.magnifyNum, place.magnifyDen,
             lensRadius, changes.drawn);
    changes.drawn.include(DrawMagnifiedTarget(
        view, pictures.sprite, place.cx, place.cy, place.cursorX, place.cursorY, place.targetX,
        place.targetY, place.magnifyNum, place.magnifyDen, lensRadius));
    DrawReticle(view, pictures.reticle, place.cx, place.cy, changes.drawn);
    marks.rows.include(changes.tinyTarget);
    marks.rows.include(changes.drawn);
    marks.viewStamp = view.stamp();
    marks.cleanStamp = pictures.clean.stamp();
}

}  // namespace sight
