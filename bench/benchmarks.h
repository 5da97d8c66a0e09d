// The groups of benchmarks, registered by name in the order they run.
#pragma once

#include <chrono>

#include "sight_scene.h"

namespace bench {

// Once, before any benchmark is registered, so the memory peak is the program's own and not
// the benchmarks' pictures: the first start-up of the process, from the creation of the
// application object to the painted mode window, then 200 rounds played on that program,
// the peak resident memory read after start-up and after each hundred rounds.
void MeasureColdStartAndMemory(std::chrono::steady_clock::time_point applicationCreation);

// Start-up again and again on the warm process; reports the figures measured above too.
void RegisterStartupBenchmark();
// A mouse move over the view delivered through Qt, handled and painted.
void RegisterMouseMoveBenchmark();
// The frames and fixed views drawn into the pictures, each beside its memory floor.
void RegisterFrameBenchmarks();
// The same frame drawn with QPainter and with a per-pixel magnifier.
void RegisterReferenceFrames(const FrameCase& frame);

}  // namespace bench
