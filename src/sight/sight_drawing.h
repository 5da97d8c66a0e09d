// The drawing operations of the sight, pure functions over pictures and plain numbers.
#pragma once

#include <cstdint>

#include "raster/bitmap.h"
#include "raster/changed_rows.h"

namespace sight {

// Every operation returns the part of the view it changed, clipped to the view, so the
// window repaints only that.

// The 17 scaled copies of the lens from the clean landscape around picture point (cx, cy),
// under the view's current copy mode. Starts at `lensRadius` and leaves it at the lens's
// final radius (194 from 150).
raster::Rect DrawLens(raster::Bitmap& view, const raster::Bitmap& clean, int cx, int cy,
                      int magnifyNum, int magnifyDen, std::uint8_t& lensRadius);
// The same, adding the rows of each piece to `changed`.
raster::Rect DrawLens(raster::Bitmap& view, const raster::Bitmap& clean, int cx, int cy,
                      int magnifyNum, int magnifyDen, std::uint8_t& lensRadius,
                      raster::ChangedRows& changed);

// The colour a sprite leaves out: the landscape shows through it.
constexpr std::uint32_t kSeeThroughColour = 0xFFFFFF;

// Copies `sprite` with its top-left at (left, top), row by row, setting the view's pixels
// directly whatever its copy mode. Pure white is see-through, and column 0 and row 0 of the
// sprite are never drawn, so the artwork keeps its figure clear of them.
raster::Rect DrawKeyedSprite(raster::Bitmap& view, const raster::Bitmap& sprite, int left, int top);

// The same, drawing only the points strictly closer than `radius` to (cx, cy), found row by
// row as the columns of the disc on that row, so that no point is tested on its own.
raster::Rect DrawKeyedSpriteInDisc(raster::Bitmap& view, const raster::Bitmap& sprite, int left,
                                   int top, int cx, int cy, int radius);

// The naked-eye target `man` centred on its true place (targetX, targetY) in picture pixels.
raster::Rect DrawTinyTarget(raster::Bitmap& view, const raster::Bitmap& man, int targetX,
                            int targetY);

// The target sprite inside the lens centred on (cx, cy), at the magnified place of the
// target's true place (targetX, targetY); distances are measured from picture point
// (ax, ay). Near the centre the whole sprite is drawn; near the lens edge only its points
// inside the lens edge; farther out nothing. `lensRadius` is the one DrawLens left.
raster::Rect DrawMagnifiedTarget(raster::Bitmap& view, const raster::Bitmap& sprite, int cx, int cy,
                                 int ax, int ay, int targetX, int targetY, int magnifyNum,
                                 int magnifyDen, int lensRadius);

// The reticle centred on (cx, cy), ANDed onto the view: its white leaves the view as it is,
// its black lines and ring come out black. Leaves the view's copy mode at SRCAND.
raster::Rect DrawReticle(raster::Bitmap& view, const raster::Bitmap& reticle, int cx, int cy);
// The same, adding to `changed` the columns of each row whose pixels its black really changed.
raster::Rect DrawReticle(raster::Bitmap& view, const raster::Bitmap& reticle, int cx, int cy,
                         raster::ChangedRows& changed);

// The pictures one frame of the moving sight is drawn from.
struct FramePictures {
    const raster::Bitmap& clean;    // the landscape, put back and magnified
    const raster::Bitmap& man;      // the naked-eye target
    const raster::Bitmap& sprite;   // the target in the lens
    const raster::Bitmap& reticle;  // ANDed over the lens
};

// Where one frame is drawn, in picture pixels.
struct FramePlace {
    int cx = 0;  // lens centre
    int cy = 0;
    int cursorX = 0;  // the mouse point; the lens edge is measured from here
    int cursorY = 0;
    int targetX = 0;  // the target's true place
    int targetY = 0;
    int magnifyNum = 3;
    int magnifyDen = 1;
};

// Where the view may differ from the clean landscape: every pixel outside `rows` equals the
// landscape's, as long as the view and the landscape still carry these stamps. The frames
// keep it, so that putting back the last frame's area reads only what the sight left there,
// not the whole square.
struct ViewMarks {
    raster::ChangedRows rows;
    std::uint64_t viewStamp = 0;
    std::uint64_t cleanStamp = 0;
};

// What one frame changed in the view: the part of the previous frame's area it put back, the
// naked-eye target, and the new sight (lens, magnified target and reticle); and the marks
// the frames leave for each other, which clear() keeps.
struct FrameChanges {
    raster::ChangedRows restored;
    raster::Rect tinyTarget;
    raster::ChangedRows drawn;
    ViewMarks marks;
    void clear() {
        restored.clear();
        tinyTarget = {};
        drawn.clear();
    }
};

// One frame of the moving sight: `previousArea` put back from the clean landscape under plain
// copy, the naked-eye target if it lies outside the lens, the lens, the magnified target and
// the reticle, in that order. What the new lens covers is left out of putting back, as the
// lens paints over it under plain copy anyway: the same pixels for about half the bytes. Of
// the rest only what `changes.marks` says may differ from the landscape is read: drawn with
// the same `changes` from move to move, that is the crescent the old lens leaves; after
// anything else has drawn in the view, the first frame finds the differences once.
// `lensRadius` goes in at the start radius and comes out at the lens's final one; the view's
// copy mode is left at SRCAND. `changes` is cleared first but for its marks.
void DrawSightFrame(raster::Bitmap& view, const FramePictures& pictures, const FramePlace& place,
                    const raster::Rect& previousArea, std::uint8_t& lensRadius,
                    FrameChanges& changes);

}  // namespace sight
