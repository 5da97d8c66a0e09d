// Benchmarks of the drawing into the pictures: the moving sight's frame, the fixed view, the
// marker tick and the burst, each beside a plain copy of as many bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "benchmarks.h"
#include "sight/sight_drawing.h"
#include "sight/sight_geometry.h"
#include "sight_scene.h"

namespace bench {

namespace {

using raster::Bitmap;
using raster::CopyMode;
using raster::Rect;

void ReportBytes(benchmark::State& state, const Traffic& traffic) {
    state.SetBytesProcessed(state.iterations() * (traffic.bytesRead + traffic.bytesWritten));
}

void SightFrame(benchmark::State& state, const FrameCase& frame) {
    const SightPictures& pictures = Pictures();
    Bitmap view = pictures.clean;
    sight::FrameChanges changes;
    int step = 0;
    for (auto _ : state) {
        DrawSightFrame(view, pictures, frame, step++, changes);
        benchmark::DoNotOptimize(changes);
        benchmark::ClobberMemory();
    }
    ReportBytes(state, FrameTraffic(pictures, frame));
}

// The memory floor: one plain copy reading and writing as many bytes as the measured drawing
// must.
void MemoryFloor(benchmark::State& state, const Traffic& traffic) {
    const std::size_t bytes = std::size_t(traffic.bytesRead + traffic.bytesWritten) / 2;
    std::vector<std::uint32_t> from(bytes / 4, 0xFF336699u);
    std::vector<std::uint32_t> to(bytes / 4, 0xFFFFFFFFu);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::ClobberMemory();
    }
    ReportBytes(state, traffic);
}

// What happens to the view after a shot, drawn as the handlers draw it.
enum class FixedViewStep { SmokeAfterHit, MarkerTick, Burst };

struct FixedViewCase {
    const char* name;
    FixedViewStep step;
};

// The sight fixed in the middle with the target inside the lens; the point of impact 60
// above the centre, as the moving sight leaves it with no wind.
constexpr int kFixedX = 576;
constexpr int kFixedY = 432;
constexpr int kImpactX = kFixedX;
constexpr int kImpactY = kFixedY - 60;
constexpr int kTargetX = kFixedX + 20;
constexpr int kTargetY = kFixedY + 10;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;

int ImpactLeft(const Bitmap& picture) {
    return kImpactX - picture.width() / 2;
}
int ImpactTop(const Bitmap& picture) {
    return kImpactY - picture.height();
}

Rect DrawAtImpact(Bitmap& view, const Bitmap& picture) {
    return view.draw(ImpactLeft(picture), ImpactTop(picture), picture);
}

// Draws one step and, given a `traffic`, adds what it must read and write to it: counted
// apart from the measured drawing, as counting the ink takes longer than drawing it.
Rect DrawFixedViewStep(Bitmap& view, const SightPictures& pictures, FixedViewStep step,
                       Traffic* traffic) {
    const auto copied = [traffic](const Rect& written) {
        if (traffic != nullptr) {
            traffic->bytesRead += AreaOf(written);
            traffic->bytesWritten += AreaOf(written);
        }
        return written;
    };
    // Under AND and exclusive or only the pixels that change the view must be touched.
    const auto combined = [traffic](const Rect& written, const Bitmap& picture, int left, int top,
                                    std::uint32_t leavesAlone) {
        if (traffic != nullptr) {
            const long long ink = InkBytes(picture, left, top, written, leavesAlone);
            traffic->bytesRead += 2 * ink;
            traffic->bytesWritten += ink;
        }
        return written;
    };
    const Bitmap& reticle = pictures.reticle;
    switch (step) {
        case FixedViewStep::SmokeAfterHit: {
            const Rect area = sight::SightFrameArea(kFixedX, kFixedY);
            view.setCopyMode(CopyMode::SrcCopy);
            Rect changed = copied(view.copyRect(area, pictures.clean, area));
            std::uint8_t lensRadius = sight::kLensStartRadius;
            changed = changed.united(
                copied(sight::DrawLens(view, pictures.clean, kFixedX, kFixedY, 3, 1, lensRadius)));
            changed = changed.united(
                copied(sight::DrawMagnifiedTarget(view, pictures.sprite, kFixedX, kFixedY, kFixedX,
                                                  kFixedY, kTargetX, kTargetY, 3, 1, lensRadius)));
            view.setCopyMode(CopyMode::SrcAnd);
            const Bitmap& smoke = pictures.smoke;
            changed = changed.united(combined(DrawAtImpact(view, smoke), smoke, ImpactLeft(smoke),
                                              ImpactTop(smoke), kWhite));
            return changed.united(combined(sight::DrawReticle(view, reticle, kFixedX, kFixedY),
                                           reticle, kFixedX - reticle.width() / 2,
                                           kFixedY - reticle.height() / 2, kWhite));
        }
        case FixedViewStep::MarkerTick: {
            view.setCopyMode(CopyMode::SrcInvert);
            const Rect changed =
                copied(sight::DrawTinyTarget(view, pictures.man, kTargetX, kTargetY));
            const Bitmap& box = pictures.frameBox;
            const int left = kTargetX - box.width() / 2;
            const int top = kTargetY - box.height() / 2;
            return changed.united(combined(view.draw(left, top, box), box, left, top, kBlack));
        }
        case FixedViewStep::Burst:
            // Under the copy mode the last frame left: AND.
            view.setCopyMode(CopyMode::SrcAnd);
            return combined(DrawAtImpact(view, pictures.burst), pictures.burst,
                            ImpactLeft(pictures.burst), ImpactTop(pictures.burst), kWhite);
    }
    return {};
}

Traffic FixedViewTraffic(FixedViewStep step) {
    Bitmap scratch = Pictures().clean;
    Traffic traffic;
    DrawFixedViewStep(scratch, Pictures(), step, &traffic);
    return traffic;
}

void FixedView(benchmark::State& state, FixedViewStep step) {
    const SightPictures& pictures = Pictures();
    Bitmap view = pictures.clean;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawFixedViewStep(view, pictures, step, nullptr));
        benchmark::ClobberMemory();
    }
    ReportBytes(state, FixedViewTraffic(step));
}

// A benchmark of drawing in processor time, in microseconds.
void RegisterDrawing(const std::string& name, std::function<void(benchmark::State&)> drawing) {
    benchmark::RegisterBenchmark(name.c_str(), std::move(drawing))
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMicrosecond);
}

void RegisterFloor(const std::string& name, const Traffic& traffic) {
    RegisterDrawing(name, [traffic](benchmark::State& state) { MemoryFloor(state, traffic); });
}

}  // namespace

void RegisterFrameBenchmarks() {
    for (const FrameCase& frame : FrameCases()) {
        RegisterDrawing("BM_SightFrame/" + frame.name,
                        [frame](benchmark::State& state) { SightFrame(state, frame); });
        RegisterFloor("BM_MemoryFloor/" + frame.name, FrameTraffic(Pictures(), frame));
        RegisterFloor("BM_ChangeFloor/" + frame.name, ChangeFloorTraffic(Pictures(), frame));
        RegisterReferenceFrames(frame);
    }
    const FixedViewCase steps[] = {
        {"smoke_after_hit", FixedViewStep::SmokeAfterHit},
        {"marker_tick", FixedViewStep::MarkerTick},
        {"burst", FixedViewStep::Burst},
    };
    for (const FixedViewCase& step : steps) {
        RegisterDrawing(std::string("BM_FixedView/") + step.name,
                        [step](benchmark::State& state) { FixedView(state, step.step); });
        RegisterFloor(std::string("BM_MemoryFloor/fixed_view/") + step.name,
                      FixedViewTraffic(step.step));
    }
}

}  // namespace bench
