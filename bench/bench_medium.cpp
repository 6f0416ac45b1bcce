#include "bench/bench_support.h"

namespace nexmar::bench {
namespace {

void BM_MediumRun200Census(benchmark::State& state)
{
    TimeRuns(state, DetailLevel::Medium, 200, true);
}
BENCHMARK(BM_MediumRun200Census);

void BM_MediumReportBytes200Census(benchmark::State& state)
{
    TimeReportBytes(state, DetailLevel::Medium, 200, true);
}
BENCHMARK(BM_MediumReportBytes200Census);

}  // namespace
}  // namespace nexmar::bench
