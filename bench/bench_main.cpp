// Entry of the benchmarks: the program's application object on Qt's offscreen platform, the
// first start-up and the memory measured, then every benchmark and one table of medians.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "benchmarks.h"
#include "median_report.h"
#include "toolkit/fonts.h"
#include "toolkit/qt_compat.h"
#include "toolkit/timer.h"

namespace {
// The offscreen platform cannot raise windows and says so every time; that is no news.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith("This plugin does not support")) {
        return;
    }
    qt_message_output(type, context, message);
}

// Medians of five short runs unless told otherwise; later flags win.
char kRepetitions[] = "--benchmark_repetitions=5";
char kMinimumTime[] = "--benchmark_min_time=0.1";
char kAggregatesOnly[] = "--benchmark_report_aggregates_only=true";

// Whether the benchmark filter lets the start-up benchmark run; its measurement of the first
// start-up and of 200 rounds takes seconds that a run of other benchmarks need not wait.
bool StartupSelected() {
    std::string filter = benchmark::GetBenchmarkFilter();
    const bool negated = !filter.empty() && filter.front() == '-';
    if (negated) {
        filter.erase(0, 1);
    }
    if (filter.empty() || filter == "all") {
        return !negated;
    }
    return std::regex_search("BM_Startup", std::regex(filter)) != negated;
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    std::vector<char*> arguments{argv[0], kRepetitions, kMinimumTime, kAggregatesOnly};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());

    const auto applicationCreation = std::chrono::steady_clock::now();
    toolkit::EnableHighDensityScaling();
    QApplication application(count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) {
        return 1;
    }
    QApplication::setQuitOnLastWindowClosed(false);
    toolkit::InstallFontSubstitutes();
    // Timers tick only when the benchmarks fire them, so no tick lands inside a measurement.
    toolkit::Timer::SetManualTicks(true);
    if (StartupSelected()) {
        bench::MeasureColdStartAndMemory(applicationCreation);
    }

    bench::RegisterStartupBenchmark();
    bench::RegisterMouseMoveBenchmark();
    bench::RegisterFrameBenchmarks();
    bench::SummaryReporter summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    benchmark::Shutdown();
    return 0;
}
