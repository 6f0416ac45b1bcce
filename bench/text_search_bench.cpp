#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "gen/low/low_system.h"
#include "query/system_query.h"

namespace nexmar::bench {
namespace {

// A long text looked for in long notes: 256 systems, each with notes of
// 64 KiB, and a needle of 32 KiB that each note holds all but its last
// letter of, at every place. The worst case of a search that starts again
// at every place; a search that never reads a byte twice takes it in its
// stride.
constexpr int kSystems = 256;
constexpr std::size_t kNoteBytes = std::size_t{64} << 10;
constexpr std::size_t kNeedleBytes = std::size_t{32} << 10;

struct LongNotes {
    std::vector<LowSystem> records;
    SectorEdits edits{2026};
    std::string needle = std::string(kNeedleBytes - 1, 'a') + "B";
};

const LongNotes& Notes()
{
    static const LongNotes notes = [] {
        LongNotes made;
        SeededDice dice(2026);
        SystemEdits edits;
        edits.notes = std::string(kNoteBytes, 'A');
        for (int number = 1; number <= kSystems; ++number) {
            made.records.push_back(GenerateLowSystem(dice, false));
            made.edits.Set(number, edits);
        }
        return made;
    }();
    return notes;
}

// The query's search before it went in one pass: at each place of the text,
// a comparison of the needle with what follows, ASCII letter case aside.
char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool ContainsPerPlace(std::string_view text, std::string_view lowered)
{
    for (std::size_t offset = 0; offset + lowered.size() <= text.size(); ++offset) {
        bool same = true;
        for (std::size_t i = 0; i < lowered.size() && same; ++i) {
            same = LowerAscii(text[offset + i]) == lowered[i];
        }
        if (same) {
            return true;
        }
    }
    return false;
}

void BM_LongNotes_SearchPerPlace(benchmark::State& state)
{
    const LongNotes& notes = Notes();
    std::string lowered = notes.needle;
    for (char& c : lowered) {
        c = LowerAscii(c);
    }
    int kept = 0;
    for (auto _ : state) {
        kept = 0;
        for (int number = 1; number <= kSystems; ++number) {
            kept += ContainsPerPlace(notes.edits.Find(number)->notes, lowered);
        }
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = kept;
}

// The query `notes ~ "..."` as the find bar and `--where` run it.
void BM_LongNotes_Query(benchmark::State& state)
{
    const LongNotes& notes = Notes();
    const SystemQueryParse parse = ParseSystemQuery("notes ~ \"" + notes.needle + "\"", DetailLevel::Low);
    if (!parse.query) {
        state.SkipWithError(parse.error.c_str());
        return;
    }
    int kept = 0;
    for (auto _ : state) {
        kept = 0;
        for (int number = 1; number <= kSystems; ++number) {
            kept += parse.query->Matches(number, notes.records[static_cast<std::size_t>(number) - 1], nullptr,
                                         &notes.edits);
        }
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = kept;
}

// The search of before takes minutes: once is enough to see it.
BENCHMARK(BM_LongNotes_SearchPerPlace)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongNotes_Query)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nexmar::bench
