// The pictures and lens places the drawing benchmarks share, and one frame of the moving sight.
#include "sight_scene.h"

#include "assets/pictures.h"
#include "sight/sight_drawing.h"
#include "sight/sight_geometry.h"

namespace bench {

namespace {
constexpr int kMagnifyNum = 3;
constexpr int kMagnifyDen = 1;

long long AreaOf(const toolkit::Rect& rect) {
    return rect.isEmpty() ? 0 : 4LL * rect.width() * rect.height();
}
}  // namespace

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
    std::vector<FrameCase> cases;
    for (const Place& place : places) {
        for (const Offset& offset : offsets) {
            // Towards the middle of the view, so the target stays on the picture.
            const int towardsX = place.cx > 576 ? -1 : 1;
            const int towardsY = place.cy > 432 ? -1 : 1;
            cases.push_back({std::string(place.name) + "/" + offset.name, place.cx, place.cy,
                             place.cx + towardsX * offset.dx, place.cy + towardsY * offset.dy});
        }
    }
    return cases;
}

toolkit::Rect DrawSightFrame(toolkit::Bitmap& view, const SightPictures& pictures,
                             const FrameCase& frame, toolkit::Rect& previousArea) {
    view.setCopyMode(toolkit::CopyMode::SrcCopy);
    toolkit::Rect changed = view.copyRect(previousArea, pictures.clean, previousArea);
    std::uint8_t lensRadius = sight::kLensStartRadius;
    if (sight::TinyTargetShown(frame.cx, frame.cy, frame.targetX, frame.targetY, kMagnifyNum,
                               kMagnifyDen, lensRadius)) {
        changed =
            changed.united(sight::DrawTinyTarget(view, pictures.man, frame.targetX, frame.targetY));
    }
    changed = changed.united(sight::DrawLens(view, pictures.clean, frame.cx, frame.cy, kMagnifyNum,
                                             kMagnifyDen, lensRadius));
    changed = changed.united(sight::DrawMagnifiedTarget(
        view, pictures.sprite, frame.cx, frame.cy, frame.cx, frame.cy, frame.targetX, frame.targetY,
        kMagnifyNum, kMagnifyDen, lensRadius));
    changed = changed.united(sight::DrawReticle(view, pictures.reticle, frame.cx, frame.cy));
    previousArea = sight::SightFrameArea(frame.cx, frame.cy);
    return changed;
}

Traffic FrameTraffic(const SightPictures& pictures, const FrameCase& frame) {
    toolkit::Bitmap view = pictures.clean;
    Traffic traffic;
    const auto copied = [&traffic](const toolkit::Rect& written) {
        traffic.bytesRead += AreaOf(written);
        traffic.bytesWritten += AreaOf(written);
    };
    const toolkit::Rect area = sight::SightFrameArea(frame.cx, frame.cy);
    copied(view.copyRect(area, pictures.clean, area));
    std::uint8_t lensRadius = sight::kLensStartRadius;
    if (sight::TinyTargetShown(frame.cx, frame.cy, frame.targetX, frame.targetY, kMagnifyNum,
                               kMagnifyDen, lensRadius)) {
        copied(sight::DrawTinyTarget(view, pictures.man, frame.targetX, frame.targetY));
    }
    const sight::LensLayout lens =
        sight::LensPieces(frame.cx, frame.cy, kMagnifyNum, kMagnifyDen, lensRadius);
    for (const sight::LensPiece& piece : lens.pieces) {
        copied(view.copyRect(piece.destination, pictures.clean, piece.source));
    }
    copied(sight::DrawMagnifiedTarget(view, pictures.sprite, frame.cx, frame.cy, frame.cx, frame.cy,
                                      frame.targetX, frame.targetY, kMagnifyNum, kMagnifyDen,
                                      lens.finalRadius));
    const toolkit::Rect reticle = sight::DrawReticle(view, pictures.reticle, frame.cx, frame.cy);
    traffic.bytesRead += 2 * AreaOf(reticle);
    traffic.bytesWritten += AreaOf(reticle);
    return traffic;
}

}  // namespace bench
