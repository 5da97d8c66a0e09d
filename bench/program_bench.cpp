// Benchmarks of the running program: start-up to the painted mode window with the memory it
// holds, and one mouse move over the view through Qt to the repainted window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "benchmarks.h"
#include "program_driver.h"
#include "ui/exercise_window.h"
#include "ui/forms.h"
#include "ui/mode_window.h"

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QWidget* ModeWindow() {
    return Form4;
}

QWidget* ExerciseWindow() {
    return Form2;
}

// Starts the program and runs the event loop until the mode window has painted.
void StartUntilModeWindowPainted() {
    PaintWatch watch(&ModeWindow);
    StartFreshProgram();
    while (watch.paints == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

struct Memory {
    double afterStart = 0;
    double after100Rounds = 0;
    double after200Rounds = 0;
};

double coldStartMilliseconds = 0;
Memory memory;

void Startup(benchmark::State& state) {
    for (auto _ : state) {
        StartUntilModeWindowPainted();
        state.PauseTiming();
        EndRunningProgram();
        state.ResumeTiming();
    }
    state.counters["cold_ms"] = coldStartMilliseconds;
    state.counters["rss_MB_start"] = memory.afterStart;
    state.counters["rss_MB_100_rounds"] = memory.after100Rounds;
    state.counters["rss_MB_200_rounds"] = memory.after200Rounds;
}

// A path of small steps around the view, as a hand moves the mouse.
std::vector<QPoint> MousePath() {
    std::vector<QPoint> path;
    for (int step = 0; step < 1000; ++step) {
        const double angle = step * 0.0125;
        path.emplace_back(288 + int(std::lround(200 * std::cos(angle))),
                          206 + int(std::lround(150 * std::sin(angle))));
    }
    return path;
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    const std::size_t index =
        std::min(values.size() - 1, std::size_t(fraction * double(values.size())));
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(index), values.end());
    return values[index];
}

void MouseMoveToPaint(benchmark::State& state) {
    StartFreshProgram();
    StartTest(1);
    ProcessPendingEvents();
    const std::vector<QPoint> path = MousePath();
    std::vector<double> eventMicroseconds;
    eventMicroseconds.reserve(1 << 16);
    PaintWatch watch(&ExerciseWindow);
    std::size_t step = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        MoveOverView(path[step]);
        PaintPendingUpdates();
        eventMicroseconds.push_back(MillisecondsSince(start) * 1000.0);
        step = (step + 1) % path.size();
    }
    const auto events = double(state.iterations());
    if (watch.paints < state.iterations()) {
        state.SkipWithError("a mouse move did not repaint the view");
    }
    state.counters["event_us_median"] = Percentile(eventMicroseconds, 0.5);
    state.counters["event_us_p99"] = Percentile(eventMicroseconds, 0.99);
    state.counters["paints_per_event"] = watch.paints / events;
    state.counters["painted_px_per_event"] = double(watch.paintedPixels) / events;
    EndRunningProgram();
}

}  // namespace

void MeasureColdStartAndMemory(Clock::time_point applicationCreation) {
    StartUntilModeWindowPainted();
    coldStartMilliseconds = MillisecondsSince(applicationCreation);
    memory.afterStart = PeakResidentMegabytes();
    PlayRounds(100);
    memory.after100Rounds = PeakResidentMegabytes();
    PlayRounds(100);
    memory.after200Rounds = PeakResidentMegabytes();
    EndRunningProgram();
}

void RegisterStartupBenchmark() {
    benchmark::RegisterBenchmark("BM_Startup", Startup)->Unit(benchmark::kMillisecond);
}

void RegisterMouseMoveBenchmark() {
    benchmark::RegisterBenchmark("BM_MouseMoveToPaint", MouseMoveToPaint)
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
