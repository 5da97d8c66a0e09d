// Prints the benchmarks as one short table of medians, each figure beside its reference and
// the ratio between them.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace bench {

class SummaryReporter : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    struct Figure {
        double microseconds = 0;     // wall-clock time, what the trainee waits
        double cpuMicroseconds = 0;  // the process's processor time
        benchmark::UserCounters counters;
    };
    // The median of the repetitions, or the single run when there were none.
    const Figure* find(const std::string& name) const;
    void printFrames() const;
    void printFixedViews() const;
    void printProgram() const;

    std::map<std::string, Figure> medians_;
    std::map<std::string, Figure> singleRuns_;
    std::map<std::string, std::string> errors_;
};

}  // namespace bench
