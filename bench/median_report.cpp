// Prints the benchmarks as one short table of medians, each figure beside its reference.
#include "median_report.h"

#include <cstdarg>
#include <cstdio>
#include <ostream>

#include "sight_scene.h"

namespace bench {

namespace {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
    char line[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    return line;
}

double CounterOf(const benchmark::UserCounters& counters, const char* name) {
    const auto found = counters.find(name);
    return found == counters.end() ? 0.0 : found->second.value;
}

}  // namespace

bool SummaryReporter::ReportContext(const Context& context) {
    PrintBasicContext(&GetErrorStream(), context);
    return true;
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        // Without the "/process_time" the drawing benchmarks' names carry.
        benchmark::BenchmarkName runName = run.run_name;
        runName.time_type.clear();
        const std::string name = runName.str();
        if (run.error_occurred) {
            errors_[name] = run.error_message;
            continue;
        }
        const double perMicrosecond = benchmark::GetTimeUnitMultiplier(run.time_unit) / 1e6;
        const Figure figure{run.GetAdjustedRealTime() / perMicrosecond,
                            run.GetAdjustedCPUTime() / perMicrosecond, run.counters};
        if (run.run_type == Run::RT_Aggregate) {
            if (run.aggregate_name == "median") {
                medians_[name] = figure;
            }
        } else {
            singleRuns_[name] = figure;
        }
    }
    // Progress, one dot a benchmark, while the table waits for the end.
    GetErrorStream() << '.' << std::flush;
}

const SummaryReporter::Figure* SummaryReporter::find(const std::string& name) const {
    if (const auto median = medians_.find(name); median != medians_.end()) {
        return &median->second;
    }
    if (const auto single = singleRuns_.find(name); single != singleRuns_.end()) {
        return &single->second;
    }
    return nullptr;
}

void SummaryReporter::printFrames() const {
    std::ostream& out = GetOutputStream();
    bool headed = false;
    for (const FrameCase& frame : FrameCases()) {
        const Figure* drawn = find("BM_SightFrame/" + frame.name);
        if (drawn == nullptr) {
            continue;
        }
        if (!headed) {
            // Processor time: the drawing runs on one thread, and on a shared machine the
            // wall clock also counts the time other programs had the core.
            out << "\nOne frame of the moving sight, microseconds of processor time; beside "
                   "each floor the frame's time as a multiple of it, beside each other way of "
                   "drawing the frame its time as a multiple of the frame's\n"
                << Format("%-28s %7s %16s %16s %17s %17s\n", "lens/target", "frame", "memory floor",
                          "change floor", "QPainter", "per-pixel lens");
            headed = true;
        }
        const auto beside = [](const Figure* reference, double ratio) {
            return reference == nullptr
                       ? std::string("-")
                       : Format("%7.1f (%5.2fx)", reference->cpuMicroseconds, ratio);
        };
        const auto floor = [&](const Figure* reference) {
            return beside(reference, reference == nullptr
                                         ? 0
                                         : drawn->cpuMicroseconds / reference->cpuMicroseconds);
        };
        const auto slower = [&](const Figure* reference) {
            return beside(reference, reference == nullptr
                                         ? 0
                                         : reference->cpuMicroseconds / drawn->cpuMicroseconds);
        };
        out << Format("%-28s %7.1f %16s %16s %17s %17s\n", frame.name.c_str(),
                      drawn->cpuMicroseconds, floor(find("BM_MemoryFloor/" + frame.name)).c_str(),
                      floor(find("BM_ChangeFloor/" + frame.name)).c_str(),
                      slower(find("BM_SightFrameQPainter/" + frame.name)).c_str(),
                      slower(find("BM_PerPixelMagnifier/" + frame.name)).c_str());
    }
}

void SummaryReporter::printFixedViews() const {
    std::ostream& out = GetOutputStream();
    bool headed = false;
    for (const char* step : {"smoke_after_hit", "marker_tick", "burst"}) {
        const Figure* drawn = find(std::string("BM_FixedView/") + step);
        const Figure* floor = find(std::string("BM_MemoryFloor/fixed_view/") + step);
        if (drawn == nullptr) {
            continue;
        }
        if (!headed) {
            out << "\nFixed view and shot effects, microseconds of processor time; beside the "
                   "floor the step's time as a multiple of it\n"
                << Format("%-30s %8s %16s\n", "step", "drawn", "memory floor");
            headed = true;
        }
        out << Format("%-30s %8.1f %16s\n", step, drawn->cpuMicroseconds,
                      floor == nullptr ? "-"
                                       : Format("%7.1f (%5.2fx)", floor->cpuMicroseconds,
                                                drawn->cpuMicroseconds / floor->cpuMicroseconds)
                                             .c_str());
    }
}

void SummaryReporter::printProgram() const {
    std::ostream& out = GetOutputStream();
    if (const Figure* move = find("BM_MouseMoveToPaint")) {
        const auto counter = [move](const char* name) { return CounterOf(move->counters, name); };
        const double ours = counter("event_us_median");
        const double qtAlone = counter("qt_us_median");
        out << Format(
                   "\nMouse move to the repainted view, microseconds a move: wall clock, and in "
                   "brackets the process's processor time\n"
                   "  ours, the event through Qt to the painted window: median %.0f (%.0f), "
                   "99th percentile %.0f (%.0f), %.0f on average\n",
                   ours, counter("event_cpu_us_median"), counter("event_us_p99"),
                   counter("event_cpu_us_p99"), move->microseconds)
            << Format(
                   "  Qt alone repainting the same region with one picture scaled: median %.0f "
                   "(%.0f), 99th percentile %.0f (%.0f)\n",
                   qtAlone, counter("qt_cpu_us_median"), counter("qt_us_p99"),
                   counter("qt_cpu_us_p99"))
            << Format(
                   "  ours as a multiple of Qt alone: median %.2fx (%.2fx); our share of a move: "
                   "%.0f (%.0f); %.0f logical pixels and %.1f paint events a move\n",
                   ours / qtAlone, counter("event_cpu_us_median") / counter("qt_cpu_us_median"),
                   ours - qtAlone, counter("event_cpu_us_median") - counter("qt_cpu_us_median"),
                   counter("painted_px_per_event"), counter("paints_per_event"));
    }
    if (const Figure* startup = find("BM_Startup")) {
        out << Format(
            "Start-up to the painted mode window: %.1f ms (again in a warm process); the "
            "first, from the application object: %.1f ms\n"
            "Peak resident memory: %.1f MB after start-up, %.1f MB after 100 rounds, %.1f MB "
            "after 200 rounds\n",
            startup->microseconds / 1000.0, CounterOf(startup->counters, "cold_ms"),
            CounterOf(startup->counters, "rss_MB_start"),
            CounterOf(startup->counters, "rss_MB_100_rounds"),
            CounterOf(startup->counters, "rss_MB_200_rounds"));
    }
}

void SummaryReporter::Finalize() {
    GetErrorStream() << '\n';
    printFrames();
    printFixedViews();
    printProgram();
    for (const auto& [name, message] : errors_) {
        GetOutputStream() << name << " failed: " << message << '\n';
    }
}

}  // namespace bench
