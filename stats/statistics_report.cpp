#include "stats/statistics_report.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace nexmar {

namespace {

// Calls visit(outcome, observed, expected) for each outcome, by its index,
// that one group can give or has given, expected being the count its odds
// expect of the results seen given it. The one rule of which outcomes show.
template <class Visit>
void ForEachOutcome(const TableOdds& odds, const std::vector<long>& counts, std::size_t group, Visit&& visit)
{
    long seen = 0;
    for (const long count : counts) {
        seen += count;
    }
    for (std::size_t outcome = 0; outcome < odds.outcomes.size(); ++outcome) {
        const double p = odds.odds[group][outcome];
        if (p > 0.0 || counts[outcome] > 0) {
            visit(outcome, counts[outcome], static_cast<double>(seen) * p);
        }
    }
}

// Each cell of table, group by group.
template <class Visit>
void ForEachCell(const RunStatistics& statistics, std::size_t table, Visit&& visit)
{
    const TableOdds& odds = statistics.Tables()[table];
    for (std::size_t group = 0; group < odds.groups.size(); ++group) {
        ForEachOutcome(odds, statistics.Counts()[table][group], group,
                       [&](std::size_t outcome, long observed, double expected) {
                           visit(odds.groups[group], odds.outcomes[outcome], observed, expected);
                       });
    }
}

std::string CountsLine(const std::vector<NamedCount>& counts)
{
    std::string line;
    for (const NamedCount& count : counts) {
        line += (line.empty() ? "" : ", ") + count.name + " " + std::to_string(count.count);
    }
    return line;
}

nlohmann::json CountsJson(const std::vector<NamedCount>& counts)
{
    nlohmann::json json = nlohmann::json::array();
    for (const NamedCount& count : counts) {
        json.push_back({{"name", count.name}, {"count", count.count}});
    }
    return json;
}

}  // namespace

std::vector<TotalLine> CountLines(const SectorTotals& totals)
{
    std::vector<TotalLine> lines;
    const auto add = [&lines](const char* label, long value) { lines.push_back({label, std::to_string(value)}); };
    add("Systems", totals.systems);
    if (totals.level == DetailLevel::High) {
        add("Stars", totals.stars);
    }
    if (totals.level != DetailLevel::Low) {
        add("Objects", totals.objects);
        add("Moons", totals.moons);
    }
    if (totals.level == DetailLevel::High) {
        add("Gaia Worlds", totals.gaiaWorlds);
    }
    add("Capacity", totals.capacity);
    add("RAW", totals.raw);
    if (totals.census) {
        add("Census", totals.censusTotal);
        add("Morale", totals.morale);
        add("Productivity", totals.productivity);
    }
    return lines;
}

std::vector<TotalLine> SectorLines(const SectorTotals& totals)
{
    std::vector<TotalLine> lines = CountLines(totals);
    const struct {
        const char* label;
        const std::vector<NamedCount>& counts;
    } breakdowns[] = {{"By size class", totals.bySizeClass}, {"By type", totals.byType}, {"By zone", totals.byZone}};
    for (const auto& [label, counts] : breakdowns) {
        if (!counts.empty()) {
            lines.push_back({label, CountsLine(counts)});
        }
    }
    return lines;
}

std::vector<OutcomeTotal> OutcomeTotals(const RunStatistics& statistics, std::size_t table,
                                        std::optional<std::size_t> group)
{
    const TableOdds& odds = statistics.Tables()[table];
    std::vector<OutcomeTotal> totals(odds.outcomes.size());
    std::vector<bool> shown(odds.outcomes.size(), false);
    for (std::size_t given = 0; given < odds.groups.size(); ++given) {
        if (group && given != *group) {
            continue;
        }
        ForEachOutcome(odds, statistics.Counts()[table][given], given,
                       [&](std::size_t outcome, long observed, double expected) {
                           totals[outcome].observed += observed;
                           totals[outcome].expected += expected;
                           shown[outcome] = true;
                       });
    }
    std::vector<OutcomeTotal> kept;
    for (std::size_t outcome = 0; outcome < totals.size(); ++outcome) {
        if (shown[outcome]) {
            totals[outcome].outcome = odds.outcomes[outcome];
            kept.push_back(std::move(totals[outcome]));
        }
    }
    return kept;
}

void PrintStatistics(std::FILE* out, const RunStatistics& statistics)
{
    const SectorTotals& totals = statistics.Totals();
    std::fprintf(out, "Sector totals (%s detail)\n", std::string(DetailLevelName(totals.level)).c_str());
    for (const TotalLine& line : SectorLines(totals)) {
        std::fprintf(out, "  %s: %s\n", line.label.c_str(), line.value.c_str());
    }

    for (std::size_t table = 0; table < statistics.Tables().size(); ++table) {
        const TableFit fit = statistics.Fit(table);
        std::fprintf(out, "\n%s: chi-square %.3f, %d degrees of freedom, p = %.6g%s\n",
                     statistics.Tables()[table].name.c_str(), fit.statistic, fit.degreesOfFreedom, fit.p,
                     fit.impossibleSeen ? " (an outcome the table cannot give was seen)" : "");
        std::fprintf(out, "  %-40s %-56s %10s %14s\n", "given", "outcome", "observed", "expected");
        ForEachCell(statistics, table, [out](const std::string& group, const std::string& outcome, long observed,
                                             double expected) {
            std::fprintf(out, "  %-40s %-56s %10ld %14.2f\n", group.empty() ? "-" : group.c_str(), outcome.c_str(),
                         observed, expected);
        });
    }
}

std::string StatisticsJson(const RunStatistics& statistics)
{
    const SectorTotals& totals = statistics.Totals();
    nlohmann::json sector = {
        {"level", DetailLevelName(totals.level)},
        {"census", totals.census},
        {"systems", totals.systems},
        {"stars", totals.stars},
        {"objects", totals.objects},
        {"moons", totals.moons},
        {"gaiaWorlds", totals.gaiaWorlds},
        {"capacity", totals.capacity},
        {"raw", totals.raw},
        {"bySizeClass", CountsJson(totals.bySizeClass)},
        {"byType", CountsJson(totals.byType)},
        {"byZone", CountsJson(totals.byZone)},
    };
    if (totals.census) {
        sector["censusTotal"] = totals.censusTotal;
        sector["morale"] = totals.morale;
        sector["productivity"] = totals.productivity;
    }
    nlohmann::json tables = nlohmann::json::array();
    for (std::size_t table = 0; table < statistics.Tables().size(); ++table) {
        const TableFit fit = statistics.Fit(table);
        nlohmann::json cells = nlohmann::json::array();
        ForEachCell(statistics, table, [&cells](const std::string& group, const std::string& outcome, long observed,
                                                double expected) {
            cells.push_back({{"given", group}, {"outcome", outcome}, {"observed", observed}, {"expected", expected}});
        });
        tables.push_back({{"name", statistics.Tables()[table].name},
                          {"chiSquare", fit.statistic},
                          {"degreesOfFreedom", fit.degreesOfFreedom},
                          {"p", fit.p},
                          {"impossibleSeen", fit.impossibleSeen},
                          {"cells", cells}});
    }
    return nlohmann::json{{"sector", sector}, {"tables", tables}}.dump(2) + "\n";
}

}  // namespace nexmar
