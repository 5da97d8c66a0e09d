// The pictures and lens places the drawing benchmarks share, and one frame of the moving sight.
#include "sight_scene.h"

#include <algorithm>

#include "assets/pictures.h"
#include "sight/sight_drawing.h"
#include "sight/sight_geometry.h"

namespace bench {

namespace {
constexpr int kMagnifyNum = 3;
constexpr int kMagnifyDen = 1;
}  // namespace

long long AreaOf(const raster::Rect& rect) {
    return rect.isEmpty() ? 0 : 4LL * rect.width() * rect.height();
}

const SightPictures& Pictures() {
    static const SightPictures pictures{
        assets::LoadPicture("Image1"), assets::LoadPicture("man"), assets::LoadPicture("b80"),
        assets::LoadPicture("setka"),  assets::LoadPicture("Box"), assets::LoadPicture("Dim"),
        assets::LoadPicture("splash"),
    };
    return pictures;
}

std::vector<FrameCase> FrameCases() {
    // The mouse reaches picture x 0..1148 (it is held at 574 control pixels) and y 0..824.
    struct Place {
        const char* name;
        int cx;
        int cy;
    };
    const Place places[] = {
        {"middle", 576, 432},   {"left", 0, 432},        {"right", 1148, 432},
        {"top", 576, 0},        {"bottom", 576, 824},    {"top_left", 0, 0},
        {"top_right", 1148, 0}, {"bottom_left", 0, 824}, {"bottom_right", 1148, 824},
    };
    // Offsets of the target from the lens centre; the lens shows them three times as far:
    // 67 (whole sprite), 198 (cut at the lens edge at 204) and 300 (not in the lens).
    struct Offset {
        const char* name;
        int dx;
        int dy;
    };
    const Offset offsets[] = {
        {"target_inside", 20, 10},
        {"target_on_edge", 66, 0},
        {"target_outside", 100, 0},
    };
    // The mouse moved by two control pixels across and one down: four and two picture
    // pixels, a small step as a hand makes them.
    constexpr int kMoveX = 4;
    constexpr int kMoveY = 2;
    std::vector<FrameCase> cases;
    for (const Place& place : places) {
        for (const Offset& offset : offsets) {
            // Towards the middle of the view, so the target and the move stay on the picture.
            const int towardsX = place.cx > 576 ? -1 : 1;
            const int towardsY = place.cy > 432 ? -1 : 1;
            cases.push_back({std::string(place.name) + "/" + offset.name, place.cx, place.cy,
                             place.cx + towardsX * kMoveX, place.cy + towardsY * kMoveY,
                             place.cx + towardsX * offset.dx, place.cy + towardsY * offset.dy});
        }
    }
    return cases;
}

sight::FramePlace PlaceOf(const FrameCase& frame, int step) {
    const bool back = step % 2 != 0;
    const int cx = back ? frame.previousCx : frame.cx;
    const int cy = back ? frame.previousCy : frame.cy;
    return sight::FramePlace{cx,          cy,         cx, cy, frame.targetX, frame.targetY,
                             kMagnifyNum, kMagnifyDen};
}

raster::Rect PreviousAreaOf(const FrameCase& frame, int step) {
    const sight::FramePlace previous = PlaceOf(frame, step + 1);
    return sight::SightFrameArea(previous.cx, previous.cy);
}

void DrawSightFrame(raster::Bitmap& view, const SightPictures& pictures, const FrameCase& frame,
                    int step, sight::FrameChanges& changes) {
    std::uint8_t lensRadius = sight::kLensStartRadius;
    sight::DrawSightFrame(
        view, sight::FramePictures{pictures.clean, pictures.man, pictures.sprite, pictures.reticle},
        PlaceOf(frame, step), PreviousAreaOf(frame, step), lensRadius, changes);
}

namespace {

// What one frame writes and what it must write: the lens pieces as drawn, and the pixels of
// the previous area that the frame before left different from the landscape and the new lens
// does not cover, counted pixel by pixel.
struct FrameParts {
    long long lensBytes = 0;
    long long uncoveredBytes = 0;
    raster::Rect tinyTarget;
    raster::Rect magnifiedTarget;
    // The reticle's pixels in the view that are not white: only those change the view.
    long long reticleInkBytes = 0;
};

FrameParts PartsOf(const SightPictures& pictures, const FrameCase& frame, int step) {
    const sight::FramePlace place = PlaceOf(frame, step);
    raster::Bitmap before = pictures.clean;
    sight::FrameChanges scratch;
    DrawSightFrame(before, pictures, frame, step + 1, scratch);
    raster::Bitmap view = pictures.clean;
    FrameParts parts;
    std::uint8_t lensRadius = sight::kLensStartRadius;
    if (sight::TinyTargetShown(place.cx, place.cy, place.targetX, place.targetY, kMagnifyNum,
                               kMagnifyDen, lensRadius)) {
        parts.tinyTarget = sight::DrawTinyTarget(view, pictures.man, place.targetX, place.targetY);
    }
    const sight::LensLayout lens =
        sight::LensPieces(place.cx, place.cy, kMagnifyNum, kMagnifyDen, lensRadius);
    std::vector<bool> covered(std::size_t(view.width()) * std::size_t(view.height()));
    for (const sight::LensPiece& piece : lens.pieces) {
        const raster::Rect written = view.copyRect(piece.destination, pictures.clean, piece.source);
        parts.lensBytes += AreaOf(written);
        for (int y = written.top; y < written.bottom; ++y) {
            for (int x = written.left; x < written.right; ++x) {
                covered[std::size_t(y) * std::size_t(view.width()) + std::size_t(x)] = true;
            }
        }
    }
    const raster::Rect previous = PreviousAreaOf(frame, step).intersected(view.rect());
    for (int y = previous.top; y < previous.bottom; ++y) {
        for (int x = previous.left; x < previous.right; ++x) {
            if (!covered[std::size_t(y) * std::size_t(view.width()) + std::size_t(x)] &&
                before.pixel(x, y) != pictures.clean.pixel(x, y)) {
                parts.uncoveredBytes += 4;
            }
        }
    }
    parts.magnifiedTarget = sight::DrawMagnifiedTarget(
        view, pictures.sprite, place.cx, place.cy, place.cursorX, place.cursorY, place.targetX,
        place.targetY, kMagnifyNum, kMagnifyDen, lens.finalRadius);
    const raster::Rect reticle = sight::DrawReticle(view, pictures.reticle, place.cx, place.cy);
    parts.reticleInkBytes = InkBytes(pictures.reticle, place.cx - pictures.reticle.width() / 2,
                                     place.cy - pictures.reticle.height() / 2, reticle, 0xFFFFFF);
    return parts;
}

// The two places of a case, averaged.
template <typename Count>
Traffic Averaged(const SightPictures& pictures, const FrameCase& frame, Count count) {
    Traffic sum;
    for (int step = 0; step < 2; ++step) {
        const Traffic one = count(PartsOf(pictures, frame, step));
        sum.bytesRead += one.bytesRead;
        sum.bytesWritten += one.bytesWritten;
    }
    return Traffic{sum.bytesRead / 2, sum.bytesWritten / 2};
}

}  // namespace

long long InkBytes(const raster::Bitmap& picture, int left, int top, const raster::Rect& written,
                   std::uint32_t leavesAlone) {
    long long bytes = 0;
    for (int y = written.top; y < written.bottom; ++y) {
        for (int x = written.left; x < written.right; ++x) {
            bytes += picture.pixel(x - left, y - top) != leavesAlone ? 4 : 0;
        }
    }
    return bytes;
}

Traffic FrameTraffic(const SightPictures& pictures, const FrameCase& frame) {
    return Averaged(pictures, frame, [](const FrameParts& parts) {
        const long long copied = parts.uncoveredBytes + AreaOf(parts.tinyTarget) + parts.lensBytes +
                                 AreaOf(parts.magnifiedTarget);
        return Traffic{copied + 2 * parts.reticleInkBytes, copied + parts.reticleInkBytes};
    });
}

Traffic ChangeFloorTraffic(const SightPictures& pictures, const FrameCase& frame) {
    return Averaged(pictures, frame, [](const FrameParts& parts) {
        const long long changed = parts.lensBytes + parts.uncoveredBytes;
        return Traffic{changed, changed};
    });
}

}  // namespace bench
