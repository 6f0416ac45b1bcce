#include "bench_support.h"

namespace nexmar::bench {
namespace {

// 200 systems with census is the most that one press of Generate asks for;
// each level's run stands beside the floor of only writing its report bytes.
void BM_Run200Census(benchmark::State& state, DetailLevel level)
{
    TimeRuns(state, level, 200, true);
}

void BM_ReportBytes200Census(benchmark::State& state, DetailLevel level)
{
    TimeReportBytes(state, level, 200, true);
}

BENCHMARK_CAPTURE(BM_Run200Census, Low, DetailLevel::Low);
BENCHMARK_CAPTURE(BM_ReportBytes200Census, Low, DetailLevel::Low);
BENCHMARK_CAPTURE(BM_Run200Census, Medium, DetailLevel::Medium);
BENCHMARK_CAPTURE(BM_ReportBytes200Census, Medium, DetailLevel::Medium);
BENCHMARK_CAPTURE(BM_Run200Census, High, DetailLevel::High);
BENCHMARK_CAPTURE(BM_ReportBytes200Census, High, DetailLevel::High);

}  // namespace
}  // namespace nexmar::bench
