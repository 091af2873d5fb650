// Runs the benchmarks, then prints the ratios the benchmark files declared.
// Ratios rather than absolute times, so figures from different machines
// compare: each is measured against a baseline from the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "bench/bench_util.h"

namespace qs::bench {
namespace {

struct Ratio {
    std::string numerator;
    std::string denominator;
    std::optional<double> goal;
    std::string description;
};

// A function-local registry, so static initialisers of any file can use it.
std::vector<Ratio>& Ratios() {
    static std::vector<Ratio> ratios;
    return ratios;
}

// The usual console output, remembering each benchmark's mean real time in
// seconds (over repetitions, when there are several).
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    RecordingReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            Sum& sum = sums_[run.run_name.str()];
            sum.seconds += run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            ++sum.count;
        }
    }

    std::optional<double> Seconds(const std::string& name) const {
        auto it = sums_.find(name);
        if (it == sums_.end()) return std::nullopt;
        return it->second.seconds / it->second.count;
    }

private:
    struct Sum {
        double seconds = 0;
        int count = 0;
    };
    std::map<std::string, Sum> sums_;
};

void PrintRatio(const Ratio& ratio, const RecordingReporter& times) {
    const std::optional<double> top = times.Seconds(ratio.numerator);
    const std::optional<double> bottom = times.Seconds(ratio.denominator);
    std::printf("%-60s ", ratio.description.c_str());
    if (!top || !bottom || *bottom <= 0) {
        std::printf("%8s\n", "not run");
        return;
    }
    const double value = *top / *bottom;
    std::printf("%8.2f", value);
    if (!ratio.goal) {
        std::printf("\n");
    } else if (Smoke()) {
        std::printf("   goal <= %.2f  not judged (smoke run)\n", *ratio.goal);
    } else {
        std::printf("   goal <= %.2f  %s\n", *ratio.goal, value <= *ratio.goal ? "met" : "NOT MET");
    }
    std::printf("    %s / %s\n", ratio.numerator.c_str(), ratio.denominator.c_str());
}

}  // namespace

bool Smoke() {
    // Empty counts as unset, so `QS_BENCH_SMOKE= core_bench` measures for real.
    const char* value = std::getenv("QS_BENCH_SMOKE");
    return value != nullptr && *value != '\0';
}

void AddRatio(std::string numerator, std::string denominator, std::optional<double> goal, std::string description) {
    Ratios().push_back({std::move(numerator), std::move(denominator), goal, std::move(description)});
}

}  // namespace qs::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    qs::bench::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    if (!qs::bench::Ratios().empty()) std::printf("\nRatios (real time, same run):\n");
    for (const qs::bench::Ratio& ratio : qs::bench::Ratios()) qs::bench::PrintRatio(ratio, reporter);
    return 0;
}
