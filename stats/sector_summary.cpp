#include "stats/sector_summary.h"

#include <algorithm>

#include "gen/record_text.h"
#include "stats/statistics_report.h"

namespace nexmar {

namespace {

std::vector<SummaryRow> CountRows(const std::vector<NamedCount>& counts)
{
    std::vector<SummaryRow> rows;
    for (const NamedCount& count : counts) {
        rows.push_back({count.name, std::to_string(count.count)});
    }
    return rows;
}

// The most frequent first; among equals in the order first seen.
std::vector<SummaryRow> SpecialRows(std::vector<NamedCount> specials)
{
    std::stable_sort(specials.begin(), specials.end(),
                     [](const NamedCount& a, const NamedCount& b) { return a.count > b.count; });
    return CountRows(specials);
}

// "Object 12A.1, Terrestrial, in System 12 Vell Prime"; at Low detail
// "System 12 Vell Prime, Colony".
std::vector<SummaryRow> BestWorldRows(const std::vector<BestWorld>& worlds, const SectorEdits& edits)
{
    std::vector<SummaryRow> rows;
    for (const BestWorld& world : worlds) {
        const std::string system = SystemName(world.system) + " " + edits.Name(world.system);
        const std::string kind(world.kind);
        rows.push_back({world.object.empty() ? system + ", " + kind
                                             : "Object " + world.object + ", " + kind + ", in " + system,
                        std::to_string(world.capacity)});
    }
    return rows;
}

}  // namespace

std::vector<SummarySection> SectorSummary(const SectorTotals& totals, const SectorEdits& edits)
{
    const bool low = totals.level == DetailLevel::Low;
    std::vector<SummarySection> sections;
    const auto add = [&sections](std::string title, std::vector<SummaryRow> rows) {
        if (!rows.empty()) {
            sections.push_back({std::move(title), std::move(rows)});
        }
    };
    std::vector<SummaryRow> counts;
    for (const TotalLine& line : CountLines(totals)) {
        counts.push_back({line.label, line.value});
    }
    add("Sector, " + std::string(DetailLevelName(totals.level)) + " detail", std::move(counts));
    add("Special results", SpecialRows(totals.bySpecial));
    add(low ? "Best systems by Capacity" : "Best worlds by Capacity", BestWorldRows(totals.bestWorlds, edits));
    add("Objects by type", CountRows(totals.byType));
    add(low ? "Systems by size class" : "Objects by size", CountRows(totals.bySizeClass));
    add("Objects by zone", CountRows(totals.byZone));
    add("Stars by size", CountRows(totals.byStarSize));
    return sections;
}

}  // namespace nexmar
