// A query from fuzz bytes (the first byte picks the level): ParseSystemQuery
// either reads it or refuses it with one line "column N: ..." whose column
// lies within the text; a query it reads matches the systems of a seeded run
// exactly as the same query under "not not (...)" does.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gen/high/high_system.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_system.h"
#include "query/system_query.h"

namespace {

struct Runs {
    std::vector<nexmar::LowSystem> low;
    std::vector<nexmar::MediumSystem> medium;
    std::vector<nexmar::HighSystem> high;
};

const Runs& SeededRuns()
{
    static const Runs runs = [] {
        Runs made;
        nexmar::SeededDice dice(2026);
        for (int i = 0; i < 20; ++i) {
            made.low.push_back(nexmar::GenerateLowSystem(dice, i % 2 == 0));
            made.medium.push_back(nexmar::GenerateMediumSystem(dice, i % 2 == 0));
            made.high.push_back(nexmar::GenerateHighSystem(dice, i % 2 == 0));
        }
        return made;
    }();
    return runs;
}

std::vector<bool> Kept(const nexmar::SystemQuery& query)
{
    std::vector<bool> kept;
    const auto keep = [&](const auto& systems) {
        for (std::size_t i = 0; i < systems.size(); ++i) {
            kept.push_back(query.Matches(static_cast<int>(i) + 1, systems[i]));
        }
    };
    switch (query.level()) {
    case nexmar::DetailLevel::Low:
        keep(SeededRuns().low);
        break;
    case nexmar::DetailLevel::Medium:
        keep(SeededRuns().medium);
        break;
    case nexmar::DetailLevel::High:
        keep(SeededRuns().high);
        break;
    }
    return kept;
}

[[noreturn]] void Fail(const std::string& text, const char* what, const std::string& detail)
{
    std::fprintf(stderr, "query \"%s\": %s %s\n", text.c_str(), what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SeededRuns();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const auto level = static_cast<nexmar::DetailLevel>(data[0] % 3);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const nexmar::SystemQueryParse parse = nexmar::ParseSystemQuery(text, level);
    if (!parse.query) {
        char* end = nullptr;
        const long column = parse.error.starts_with("column ") ? std::strtol(parse.error.c_str() + 7, &end, 10) : 0;
        if (column < 1 || static_cast<std::size_t>(column) > text.size() + 1 || std::string(end).find(": ") != 0 ||
            parse.error.find('\n') != std::string::npos) {
            Fail(text, "refused with", parse.error);
        }
        return 0;
    }
    const nexmar::SystemQueryParse twice = nexmar::ParseSystemQuery("not not (" + text + ")", level);
    if (twice.query && Kept(*twice.query) != Kept(*parse.query)) {
        Fail(text, "keeps other systems under", "not not (...)");
    }
    return 0;
}
