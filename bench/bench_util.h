// Shared by the benchmark files: the smoke switch and the ratios printed
// after the run, each comparing two benchmarks measured in the same run.
#pragma once

#include <optional>
#include <string>

namespace qs::bench {

// True when QS_BENCH_SMOKE is set (and not empty): the test run only checks
// that every benchmark runs, so inputs should be tiny.
bool Smoke();

// Declares a ratio of two benchmarks' real times, by their full names
// ("BM_Name/10"). `goal`, when given, is the largest acceptable ratio.
// Meant to be called from a static initialiser of a benchmark file.
void AddRatio(std::string numerator, std::string denominator, std::optional<double> goal, std::string description);

}  // namespace qs::bench
