#include "bench_support.h"
#include "json/rules_file.h"

namespace nexmar::bench {
namespace {

constexpr int kMillion = 1000000;

// A referee's file: three dice for the importance roll, the special table's
// rows moved by one.
constexpr const char* kHouseRules = R"({"format": 1, "tables": {
  "low.importance": {"dice": "3d6", "rows": [
    {"from": 3, "to": 6, "result": "Minor Outpost"}, {"from": 7, "to": 9, "result": "Outpost"},
    {"from": 10, "to": 12, "result": "Minor Colony"}, {"from": 13, "to": 15, "result": "Colony"},
    {"from": 16, "to": 18, "result": "Major Colony"}]},
  "low.special": {"rows": [
    {"from": 0, "to": 2, "result": "No special"}, {"from": 3, "to": 6, "result": "Special: Rich in Rare Metals"},
    {"from": 7, "to": 8, "result": "Special: Rich in Precious Metals"}, {"from": 9, "to": 14, "result": "Special Resource"}]}}}
)";

// The game's tables, read as data as a rules file would give them: the
// same dice and rows as the compiled tables, through the house rules' path.
SharedRules GameTablesAsData()
{
    std::array<RulesTable, kRulesTableCount> tables;
    for (const RulesTableId id : kRulesTableIds) {
        tables[static_cast<std::size_t>(id)] = InfoOf(id).builtIn;
    }
    return SharedRules(std::make_shared<const HouseRules>(tables));
}

// The batch run of a million Low systems without a tree, by the rules given.
void TimeBatchRun(benchmark::State& state, const SharedRules& rules)
{
    TempDir dir;
    SeededDice dice(2026);
    ResultTree tree;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    RunInputs inputs{kMillion, DetailLevel::Low, false};
    inputs.settings.rules = rules;
    inputs.renderTree = false;
    for (auto _ : state) {
        RunGeneration(inputs, dice, tree, reports, notifier);
    }
}

void BM_RulesBatchLow1M_Game(benchmark::State& state)
{
    TimeBatchRun(state, {});
}

void BM_RulesBatchLow1M_GameAsData(benchmark::State& state)
{
    TimeBatchRun(state, GameTablesAsData());
}

void BM_RulesBatchLow1M_HouseFile(benchmark::State& state)
{
    TimeBatchRun(state, SharedRules(ReadRules(kHouseRules).rules));
}

// Side by side, so that the ratios come from one run on one machine's load.
BENCHMARK(BM_RulesBatchLow1M_Game)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RulesBatchLow1M_GameAsData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RulesBatchLow1M_HouseFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexmar::bench
