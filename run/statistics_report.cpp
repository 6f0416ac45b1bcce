#include "run/statistics_report.h"

#include <nlohmann/json.hpp>

namespace nexmar {

namespace {

// Each cell a group can give or has given, with its expected count.
template <class Visit>
void ForEachCell(const RunStatistics& statistics, std::size_t table, Visit&& visit)
{
    const TableOdds& odds = statistics.Tables()[table];
    const std::vector<std::vector<long>>& counts = statistics.Counts()[table];
    for (std::size_t group = 0; group < odds.groups.size(); ++group) {
        long seen = 0;
        for (const long count : counts[group]) {
            seen += count;
        }
        for (std::size_t outcome = 0; outcome < odds.outcomes.size(); ++outcome) {
            const double p = odds.odds[group][outcome];
            if (p > 0.0 || counts[group][outcome] > 0) {
                visit(odds.groups[group], odds.outcomes[outcome], counts[group][outcome], static_cast<double>(seen) * p);
            }
        }
    }
}

void PrintCounts(std::FILE* out, const char* title, const std::vector<NamedCount>& counts)
{
    if (counts.empty()) {
        return;
    }
    std::fprintf(out, "  %s:", title);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        std::fprintf(out, "%s %s %ld", i == 0 ? "" : ",", counts[i].name.c_str(), counts[i].count);
    }
    std::fprintf(out, "\n");
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

void PrintStatistics(std::FILE* out, const RunStatistics& statistics)
{
    const SectorTotals& totals = statistics.Totals();
    std::fprintf(out, "Sector totals (%s detail)\n", std::string(DetailLevelName(totals.level)).c_str());
    std::fprintf(out, "  Systems: %ld\n", totals.systems);
    if (totals.level == DetailLevel::High) {
        std::fprintf(out, "  Stars: %ld\n", totals.stars);
    }
    if (totals.level != DetailLevel::Low) {
        std::fprintf(out, "  Objects: %ld\n  Moons: %ld\n", totals.objects, totals.moons);
    }
    if (totals.level == DetailLevel::High) {
        std::fprintf(out, "  Gaia Worlds: %ld\n", totals.gaiaWorlds);
    }
    std::fprintf(out, "  Capacity: %ld\n  RAW: %ld\n", totals.capacity, totals.raw);
    if (totals.census) {
        std::fprintf(out, "  Census: %ld\n  Morale: %ld\n  Productivity: %ld\n", totals.censusTotal, totals.morale,
                     totals.productivity);
    }
    PrintCounts(out, "By size class", totals.bySizeClass);
    PrintCounts(out, "By type", totals.byType);
    PrintCounts(out, "By zone", totals.byZone);

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
