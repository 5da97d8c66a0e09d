// The pictures and lens places the drawing benchmarks share, and one frame of the moving sight.
#pragma once

#include <string>
#include <vector>

#include "raster/bitmap.h"
#include "sight/sight_drawing.h"

namespace bench {

// The program's own pictures, loaded once. The lens sprite is the largest of the nine target
// sizes, the most a frame ever draws pixel by pixel.
struct SightPictures {
    raster::Bitmap clean;
    raster::Bitmap man;
    raster::Bitmap sprite;
    raster::Bitmap reticle;
    raster::Bitmap frameBox;
    raster::Bitmap smoke;
    raster::Bitmap burst;
};
const SightPictures& Pictures();

// One measured frame: the lens centre, the centre of the frame before it (a small mouse move
// away) and the target's true place, in picture pixels. Measured over and over, the frame is
// drawn at the two centres in turn, each time after the other.
struct FrameCase {
    std::string name;  // e.g. "middle/target_inside"
    int cx = 0;
    int cy = 0;
    int previousCx = 0;
    int previousCy = 0;
    int targetX = 0;
    int targetY = 0;
};

// The lens in the middle, at each edge and at each corner of the view, each with the target
// inside the lens (whole sprite, no naked-eye target), on its edge (the sprite cut at the
// edge, the naked-eye target beside the lens) and outside it (only the naked-eye target).
std::vector<FrameCase> FrameCases();

// Where the `step`-th frame of a case is drawn: even steps at the case's centre, odd ones at
// the centre before it.
sight::FramePlace PlaceOf(const FrameCase& frame, int step);
// The area the frame before the `step`-th one drew in, which it puts back.
raster::Rect PreviousAreaOf(const FrameCase& frame, int step);

// The `step`-th frame of the moving sight, drawn as the mouse handler draws it.
void DrawSightFrame(raster::Bitmap& view, const SightPictures& pictures, const FrameCase& frame,
                    int step, sight::FrameChanges& changes);

// The bytes of a rectangle of pixels; nothing for an empty one.
long long AreaOf(const raster::Rect& rect);

// Bytes a frame must read and write, counting each pixel a copy writes as one read and one
// write, and the reticle's AND as two reads and one write for each of its pixels that is not
// white (a white one leaves the view as it is); clipped pieces count only what lies inside
// the view. Averaged over the two places of a case.
struct Traffic {
    long long bytesRead = 0;
    long long bytesWritten = 0;
};
// What the frame's steps must read and write: what the frame before left different from the
// landscape in its area put back but for what the new lens covers, the naked-eye target, the
// 17 lens pieces, the magnified target, the reticle.
Traffic FrameTraffic(const SightPictures& pictures, const FrameCase& frame);
// Bytes of `picture`, drawn with its top-left at (left, top), inside `written` that are not
// `leavesAlone` (white under AND, black under exclusive or): what such a draw must touch.
long long InkBytes(const raster::Bitmap& picture, int left, int top, const raster::Rect& written,
                   std::uint32_t leavesAlone);

// The least any frame must change, each pixel once as a plain copy: the new lens and what
// the frame before left outside it.
Traffic ChangeFloorTraffic(const SightPictures& pictures, const FrameCase& frame);

}  // namespace bench
