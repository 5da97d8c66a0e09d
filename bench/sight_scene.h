// The pictures and lens places the drawing benchmarks share, and one frame of the moving sight.
#pragma once

#include <string>
#include <vector>

#include "toolkit/bitmap.h"

namespace bench {

// The program's own pictures, loaded once. The lens sprite is the largest of the nine target
// sizes, the most a frame ever draws pixel by pixel.
struct SightPictures {
    toolkit::Bitmap clean;
    toolkit::Bitmap man;
    toolkit::Bitmap sprite;
    toolkit::Bitmap reticle;
    toolkit::Bitmap frameBox;
    toolkit::Bitmap smoke;
    toolkit::Bitmap burst;
};
const SightPictures& Pictures();

// Where the target stands against the lens: well inside (whole sprite, no naked-eye target),
// on the lens edge (the per-pixel edge test, and the naked-eye target beside the lens), or
// outside (only the naked-eye target).
enum class TargetPlace { Inside, OnEdge, Outside };

// One measured frame: the lens centre and the target's true place, in picture pixels.
struct FrameCase {
    std::string name;  // e.g. "middle/target_inside"
    int cx = 0;
    int cy = 0;
    int targetX = 0;
    int targetY = 0;
};

// The lens in the middle, at each edge and at each corner of the view, each with the target
// inside, on and outside the lens edge.
std::vector<FrameCase> FrameCases();

// One frame of the moving sight as the mouse handler draws it: the previous frame's area
// put back from the clean scene, the naked-eye target, the 17-piece lens, the magnified
// target and the reticle. `previousArea` is restored and then becomes this frame's area.
toolkit::Rect DrawSightFrame(toolkit::Bitmap& view, const SightPictures& pictures,
                             const FrameCase& frame, toolkit::Rect& previousArea);

// Bytes a frame reads and writes, counting each pixel a copy writes as one read and one
// write, and the reticle's AND as two reads and one write; clipped pieces count only what
// lies inside the view.
struct Traffic {
    long long bytesRead = 0;
    long long bytesWritten = 0;
};
Traffic FrameTraffic(const SightPictures& pictures, const FrameCase& frame);

}  // namespace bench
