#include "bench/bench_support.h"

namespace nexmar::bench {
namespace {

// The most work one press of Generate can cause.
void BM_HighRun200Census(benchmark::State& state)
{
    TimeRuns(state, DetailLevel::High, 200, true);
}
BENCHMARK(BM_HighRun200Census);

void BM_HighReportBytes200Census(benchmark::State& state)
{
    TimeReportBytes(state, DetailLevel::High, 200, true);
}
BENCHMARK(BM_HighReportBytes200Census);

}  // namespace
}  // namespace nexmar::bench
