// The references for one frame of the moving sight: the same frame drawn the obvious other
// ways, with QPainter on a QImage and with a per-pixel magnifier instead of the 17 copies.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cmath>

#include "benchmarks.h"
#include "raster/bitmap_image.h"
#include "sight/sight_drawing.h"
#include "sight/sight_geometry.h"

namespace bench {

namespace {

using raster::Bitmap;
using raster::Rect;

QRect ToQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

// A sprite as QPainter draws one with see-through: white, and column 0 and row 0 which the
// sight never draws, made transparent once, outside the measured loop.
QImage KeyedSprite(const Bitmap& sprite) {
    QImage keyed = raster::WrapBitmap(sprite).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if (x == 0 || y == 0 || (line[x] & 0xFFFFFF) == sight::kSeeThroughColour) {
                line[x] = 0;
            }
        }
    }
    return keyed;
}

struct PainterPictures {
    QImage clean;
    QImage man;
    QImage sprite;
    QImage reticle;
};

PainterPictures MakePainterPictures(const SightPictures& pictures) {
    return {raster::WrapBitmap(pictures.clean).copy(), KeyedSprite(pictures.man),
            KeyedSprite(pictures.sprite), raster::WrapBitmap(pictures.reticle).copy()};
}

// The frame with QPainter: Source composition for the restore and the lens (scaled without
// smoothing), SourceOver for the keyed sprites, a circular clip at the lens edge, and the
// AND raster operation for the reticle.
void DrawSightFrameWithPainter(QImage& view, const PainterPictures& pictures,
                               const FrameCase& frame, int step) {
    const sight::FramePlace place = PlaceOf(frame, step);
    const QRect previousArea = ToQRect(PreviousAreaOf(frame, step));
    QPainter painter(&view);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(previousArea, pictures.clean, previousArea);
    std::uint8_t lensRadius = sight::kLensStartRadius;
    if (sight::TinyTargetShown(place.cx, place.cy, place.targetX, place.targetY, 3, 1,
                               lensRadius)) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QPoint(place.targetX - pictures.man.width() / 2,
                                 place.targetY - pictures.man.height() / 2),
                          pictures.man);
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const sight::LensLayout lens = sight::LensPieces(place.cx, place.cy, 3, 1, lensRadius);
    for (const sight::LensPiece& piece : lens.pieces) {
        painter.drawImage(ToQRect(piece.destination), pictures.clean, ToQRect(piece.source));
    }
    const sight::Point magnified =
        sight::MagnifiedTargetPoint(place.cx, place.cy, place.targetX, place.targetY, 3, 1);
    const QPoint spriteTopLeft(magnified.x - pictures.sprite.width() / 2,
                               magnified.y - pictures.sprite.height() / 2);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (sight::CloserThan(place.cx, place.cy, magnified.x, magnified.y, lens.finalRadius - 25)) {
        painter.drawImage(spriteTopLeft, pictures.sprite);
    } else if (sight::CloserThan(place.cx, place.cy, magnified.x, magnified.y,
                                 lens.finalRadius + 50)) {
        const int edge = lens.finalRadius + 10;
        painter.setClipRegion(
            QRegion(place.cx - edge, place.cy - edge, 2 * edge, 2 * edge, QRegion::Ellipse));
        painter.drawImage(spriteTopLeft, pictures.sprite);
        painter.setClipping(false);
    }
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(
        QPoint(place.cx - pictures.reticle.width() / 2, place.cy - pictures.reticle.height() / 2),
        pictures.reticle);
}

void SightFrameWithPainter(benchmark::State& state, const FrameCase& frame) {
    const PainterPictures pictures = MakePainterPictures(Pictures());
    QImage view = pictures.clean.copy();
    int step = 0;
    for (auto _ : state) {
        DrawSightFrameWithPainter(view, pictures, frame, step++);
        benchmark::ClobberMemory();
    }
}

int FloorDivideByThree(int value) {
    return value >= 0 ? value / 3 : -((2 - value) / 3);
}

// The lens as one mapping per pixel: every point of the disc of radius 204 shows the clean
// scene at a third of its offset from the centre.
Rect DrawLensPerPixel(Bitmap& view, const Bitmap& clean, int cx, int cy) {
    constexpr int kRadius = 204;
    Rect changed;
    for (int dy = -kRadius; dy < kRadius; ++dy) {
        const int y = cy + dy;
        const int sourceY = cy + FloorDivideByThree(dy);
        if (y < 0 || y >= view.height() || sourceY < 0 || sourceY >= clean.height()) {
            continue;
        }
        const int halfWidth = int(std::ceil(std::sqrt(double(kRadius * kRadius - dy * dy))));
        const int first = std::max(-halfWidth, -cx);
        const int end = std::min(halfWidth, view.width() - cx);
        std::uint32_t* target = view.scanLine(y);
        const std::uint32_t* source = clean.scanLine(sourceY);
        for (int dx = first; dx < end; ++dx) {
            const int sourceX = cx + FloorDivideByThree(dx);
            if (sourceX >= 0 && sourceX < clean.width()) {
                target[cx + dx] = source[sourceX];
            }
        }
        if (end > first) {
            changed = changed.united(Rect{cx + first, y, cx + end, y + 1});
        }
    }
    return changed;
}

void SightFrameWithPerPixelLens(benchmark::State& state, const FrameCase& frame) {
    const SightPictures& pictures = Pictures();
    Bitmap view = pictures.clean;
    constexpr int kFinalRadius = 194;
    int step = 0;
    for (auto _ : state) {
        const sight::FramePlace place = PlaceOf(frame, step);
        const Rect previousArea = PreviousAreaOf(frame, step++);
        view.setCopyMode(raster::CopyMode::SrcCopy);
        Rect changed = view.copyRect(previousArea, pictures.clean, previousArea);
        if (sight::TinyTargetShown(place.cx, place.cy, place.targetX, place.targetY, 3, 1,
                                   sight::kLensStartRadius)) {
            changed = changed.united(
                sight::DrawTinyTarget(view, pictures.man, place.targetX, place.targetY));
        }
        changed = changed.united(DrawLensPerPixel(view, pictures.clean, place.cx, place.cy));
        changed = changed.united(
            sight::DrawMagnifiedTarget(view, pictures.sprite, place.cx, place.cy, place.cx,
                                       place.cy, place.targetX, place.targetY, 3, 1, kFinalRadius));
        changed = changed.united(sight::DrawReticle(view, pictures.reticle, place.cx, place.cy));
        benchmark::DoNotOptimize(changed);
        benchmark::ClobberMemory();
    }
}

}  // namespace

void RegisterReferenceFrames(const FrameCase& frame) {
    benchmark::RegisterBenchmark(
        ("BM_SightFrameQPainter/" + frame.name).c_str(),
        [frame](benchmark::State& state) { SightFrameWithPainter(state, frame); })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(
        ("BM_PerPixelMagnifier/" + frame.name).c_str(),
        [frame](benchmark::State& state) { SightFrameWithPerPixelLens(state, frame); })
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
