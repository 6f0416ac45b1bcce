#include <benchmark/benchmark.h>

#include <vector>

#include "gen/high/high_system.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_system.h"
#include "query/system_query.h"

namespace nexmar::bench {
namespace {

// A query matched over the records of 200 systems with census, to stand
// beside BM_Run200Census of the same level: what a filter adds to a run.
template <class Record, Record (*Generate)(Dice&, bool)>
void TimeQuery(benchmark::State& state, DetailLevel level, const char* text)
{
    SeededDice dice(2026);
    std::vector<Record> records;
    for (int number = 1; number <= 200; ++number) {
        records.push_back(Generate(dice, true));
    }
    const SystemQueryParse parse = ParseSystemQuery(text, level);
    if (!parse.query) {
        state.SkipWithError(parse.error.c_str());
        return;
    }
    int kept = 0;
    for (auto _ : state) {
        kept = 0;
        for (std::size_t index = 0; index < records.size(); ++index) {
            kept += parse.query->Matches(static_cast<int>(index) + 1, records[index]);
        }
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = kept;
}

void BM_Query200Census_Low(benchmark::State& state)
{
    TimeQuery<LowSystem, GenerateLowSystem>(state, DetailLevel::Low, "capacity >= 3 and special ~ metals");
}
void BM_Query200Census_Medium(benchmark::State& state)
{
    TimeQuery<MediumSystem, GenerateMediumSystem>(state, DetailLevel::Medium,
                                                  "zone = Habitable and moons >= 2 or moon ~ ideal");
}
void BM_Query200Census_High(benchmark::State& state)
{
    TimeQuery<HighSystem, GenerateHighSystem>(state, DetailLevel::High,
                                              "star.description ~ giant and (gaia or moon.capacity >= 3)");
}

BENCHMARK(BM_Query200Census_Low);
BENCHMARK(BM_Query200Census_Medium);
BENCHMARK(BM_Query200Census_High);

}  // namespace
}  // namespace nexmar::bench
