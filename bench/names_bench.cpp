#include <cstddef>

#include "bench_support.h"
#include "gen/names/system_names.h"

namespace nexmar::bench {
namespace {

constexpr int kMillion = 1000000;

// A batch run of a million Low systems, as nexmar-cli makes it without a
// tree: the dice, the records and both reports.
void BM_BatchRunLow1M(benchmark::State& state)
{
    TempDir dir;
    SeededDice dice(2026);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    RunInputs inputs{kMillion, DetailLevel::Low, false};
    inputs.renderTree = false;
    for (auto _ : state) {
        RunGeneration(inputs, dice, tree, reports, notifier);
    }
}

// What naming the same million systems adds to it, for the outputs that
// show names (the document, the pictures, a query).
void BM_NamesLow1M(benchmark::State& state)
{
    const NameGenerator names(2026);
    for (auto _ : state) {
        std::size_t letters = 0;
        for (int number = 1; number <= kMillion; ++number) {
            letters += names.Name(number).view().size();
        }
        benchmark::DoNotOptimize(letters);
    }
}

BENCHMARK(BM_BatchRunLow1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NamesLow1M)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexmar::bench
