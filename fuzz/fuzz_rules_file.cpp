// The rules file reader from fuzz bytes. Any input either gives faults, each
// with its place, line and column and none of more than one line, or rules
// whose printed file reads back as the same rules, whose every table covers
// the totals its dice reach, and whose rolls the document reader accepts:
// the reader lets through no rules that a run or a document could not use.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gen/low/low_system.h"
#include "json/rules_file.h"

namespace {

void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

// Every total of every table gives one of its results.
void CheckCoverage(const nexmar::HouseRules& rules, const std::string& input)
{
    for (const nexmar::RulesTableId id : nexmar::kRulesTableIds) {
        const nexmar::RulesTableInfo& info = nexmar::InfoOf(id);
        const nexmar::DiceRule& dice = rules.Table(id).dice;
        for (int total = nexmar::LowestTotal(info, dice); total <= nexmar::HighestTotal(info, dice); ++total) {
            const int result = rules.ResultFor(id, total);
            if (result < 0 || result >= static_cast<int>(info.results.size())) {
                Fail("a total without a result", std::string(info.name) + " " + std::to_string(total) + "\n" + input);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const nexmar::RulesRead read = nexmar::ReadRules(input);
    if (!read.faults.empty()) {
        for (const nexmar::RulesFault& fault : read.faults) {
            const std::string shown = fault.pointer + fault.what;
            if (fault.pointer.empty() || fault.pointer[0] != '/' || fault.line < 1 || fault.column < 1 ||
                shown.find('\n') != std::string::npos || shown.find('\r') != std::string::npos) {
                Fail("a fault without its place, line and column, or of more than one line", shown);
            }
        }
        return 0;
    }
    if (!read.rules) {
        return 0;  // the game's own tables
    }
    CheckCoverage(*read.rules, input);
    const nexmar::RulesRead again = nexmar::ReadRules(nexmar::RulesFileText(read.rules.get()));
    if (!again.rules || !(*again.rules == *read.rules)) {
        Fail("accepted rules whose printed file reads back otherwise", nexmar::RulesFileText(read.rules.get()));
    }
    // What the dice make by these rules, a document's reader accepts by them.
    nexmar::SeededDice dice(size);
    for (int system = 0; system < 50; ++system) {
        const nexmar::LowSystem made = nexmar::GenerateLowSystem(dice, system % 2 == 0, read.rules.get());
        const auto checked = nexmar::LowSystemOf(made.sizeClass, made.special, system % 2 == 0, read.rules.get());
        if (!checked || !(*checked == made)) {
            Fail("a rolled system that its rules refuse", std::string(made.special) + "\n" + input);
        }
    }
    return 0;
}
