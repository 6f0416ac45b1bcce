#include "cli/rules_option.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

#include "core/format.h"
#include "core/quoted_path.h"
#include "gen/odds.h"
#include "json/rules_file.h"

namespace nexmar {

namespace {

// Odds this close are the same: the sums of the same chances in another order.
constexpr double kSameOdds = 1e-12;

}  // namespace

bool ReadRulesOption(const std::filesystem::path& path, SharedRules& rules, std::FILE* err)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        std::fprintf(err, "nexmar-cli: --rules: cannot read %s: %s\n", QuotedPath(path.string()).c_str(),
                     std::strerror(errno));
        return false;
    }
    // One byte past the bound, so that a longer file is refused as too long.
    std::string text(kMaxRulesFileBytes + 1, '\0');
    const std::size_t read = std::fread(text.data(), 1, text.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        std::fprintf(err, "nexmar-cli: --rules: cannot read %s\n", QuotedPath(path.string()).c_str());
        return false;
    }
    text.resize(read);
    RulesRead parsed = ReadRules(text);
    if (!parsed.faults.empty()) {
        std::fprintf(err, "nexmar-cli: --rules: %s\n", RulesRefusal(path.string(), parsed.faults).c_str());
        return false;
    }
    rules = SharedRules(std::move(parsed.rules));
    return true;
}

void PrintChangedOdds(std::FILE* out, DetailLevel level, const HouseRules* rules)
{
    const std::vector<TableOdds> house = TableOddsOf(level, rules);
    const std::vector<TableOdds> game = TableOddsOf(level);
    int changed = 0;
    for (std::size_t table = 0; table < house.size(); ++table) {
        for (std::size_t group = 0; group < house[table].groups.size(); ++group) {
            for (std::size_t outcome = 0; outcome < house[table].outcomes.size(); ++outcome) {
                const double ours = house[table].odds[group][outcome];
                const double theirs = game[table].odds[group][outcome];
                if (std::fabs(ours - theirs) <= kSameOdds) {
                    continue;
                }
                const std::string& given = house[table].groups[group];
                std::fprintf(out, "%s%s%s | %s: %.6f (game's %.6f)\n", house[table].name.c_str(),
                             given.empty() ? "" : " | ", given.c_str(), house[table].outcomes[outcome].c_str(), ours,
                             theirs);
                ++changed;
            }
        }
    }
    if (changed == 0) {
        std::fprintf(out, "The %s tables' odds are the game's.\n", std::string(DetailLevelName(level)).c_str());
    }
}

}  // namespace nexmar
