#include "bench/bench_support.h"

namespace nexmar::bench {
namespace {

void BM_LowRun200Census(benchmark::State& state)
{
    TimeRuns(state, DetailLevel::Low, 200, true);
}
BENCHMARK(BM_LowRun200Census);

void BM_LowReportBytes200Census(benchmark::State& state)
{
    TimeReportBytes(state, DetailLevel::Low, 200, true);
}
BENCHMARK(BM_LowReportBytes200Census);

}  // namespace
}  // namespace nexmar::bench
