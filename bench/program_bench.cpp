// Benchmarks of the running program: start-up to the painted mode window with the memory it
// holds, and one mouse move over the view through Qt to the repainted window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <vector>

#include "benchmarks.h"
#include "program_driver.h"
#include "raster/bitmap_image.h"
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

double ProcessMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

// A bare widget the size of the view showing the same picture as Qt shows a picture scaled
// into a widget: drawn whole, smoothly, under the region being repainted. Nothing of ours.
class QtOnlyView : public QWidget {
  public:
    explicit QtOnlyView(const QImage& picture) : picture_(picture) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect()), picture_);
    }

  private:
    QImage picture_;
};

struct Timings {
    std::vector<double> wall;
    std::vector<double> processor;
    void add(double wallMicroseconds, double processorMicroseconds) {
        wall.push_back(wallMicroseconds);
        processor.push_back(processorMicroseconds);
    }
};

// Each move is timed from the event to the repainted window, and then the same region is
// repainted in a widget of Qt's alone, so that both meet the same state of the machine.
void MouseMoveToPaint(benchmark::State& state) {
    StartFreshProgram();
    StartTest(1);
    ProcessPendingEvents();
    QtOnlyView qtOnly(raster::WrapBitmap(Form2->SeeImage->Picture()).copy());
    qtOnly.resize(Form2->SeeImage->size());
    qtOnly.show();
    if (!QTest::qWaitForWindowExposed(&qtOnly)) {
        state.SkipWithError("the widget of Qt alone was not shown");
        return;
    }

    const std::vector<QPoint> path = MousePath();
    Timings ours;
    Timings qtAlone;
    PaintWatch watch(&ExerciseWindow);
    std::size_t step = 0;
    for (auto _ : state) {
        watch.paintedParts.clear();
        const Clock::time_point start = Clock::now();
        const double startProcessor = ProcessMicroseconds();
        MoveOverView(path[step]);
        PaintPendingUpdates();
        const double moved = MillisecondsSince(start) * 1000.0;
        ours.add(moved, ProcessMicroseconds() - startProcessor);
        state.SetIterationTime(moved / 1e6);

        QRegion viewRegion;
        for (const auto& [widget, region] : watch.paintedParts) {
            if (widget == Form2->SeeImage) {
                viewRegion += region;
            }
        }
        const Clock::time_point qtStart = Clock::now();
        const double qtStartProcessor = ProcessMicroseconds();
        qtOnly.update(viewRegion);
        PaintPendingUpdates();
        qtAlone.add(MillisecondsSince(qtStart) * 1000.0, ProcessMicroseconds() - qtStartProcessor);
        step = (step + 1) % path.size();
    }
    const auto events = double(state.iterations());
    if (watch.paints < state.iterations()) {
        state.SkipWithError("a mouse move did not repaint the view");
    }
    state.counters["event_us_median"] = Percentile(ours.wall, 0.5);
    state.counters["event_us_p99"] = Percentile(ours.wall, 0.99);
    state.counters["event_cpu_us_median"] = Percentile(ours.processor, 0.5);
    state.counters["event_cpu_us_p99"] = Percentile(ours.processor, 0.99);
    state.counters["qt_us_median"] = Percentile(qtAlone.wall, 0.5);
    state.counters["qt_us_p99"] = Percentile(qtAlone.wall, 0.99);
    state.counters["qt_cpu_us_median"] = Percentile(qtAlone.processor, 0.5);
    state.counters["qt_cpu_us_p99"] = Percentile(qtAlone.processor, 0.99);
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
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

}  // namespace bench
