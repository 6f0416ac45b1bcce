#pragma once

#include <string>
#include <vector>

#include "gen/odds.h"
#include "gen/run_output.h"

namespace nexmar {

// A count by name, in the order of the record's enum.
struct NamedCount {
    std::string name;
    long count = 0;
};

// One of a sector's best worlds by Capacity: an object, at Low detail a
// system.
struct BestWorld {
    int system = 0;
    std::string object;     // as the tree numbers it, "12A.1" or "12.3"; none at Low detail
    std::string_view kind;  // its type, at Low detail its size class
    int capacity = 0;
    bool operator==(const BestWorld&) const = default;
};
inline constexpr std::size_t kBestWorldsKept = 10;

// What a sector holds at a glance. Capacity and RAW add up the objects (at
// Low detail the systems) and, at High detail, their moons; Census, Morale
// and Productivity are kept only with the census option.
struct SectorTotals {
    DetailLevel level = DetailLevel::Low;
    bool census = false;
    long systems = 0;
    long stars = 0;  // High detail only
    long objects = 0;
    long moons = 0;
    long gaiaWorlds = 0;  // High detail only
    long capacity = 0;
    long raw = 0;
    long censusTotal = 0;
    long morale = 0;
    long productivity = 0;
    std::vector<NamedCount> bySizeClass;  // Low: the systems; High: the objects
    std::vector<NamedCount> byType;       // the objects
    std::vector<NamedCount> byZone;       // the objects
    std::vector<NamedCount> byStarSize;   // High: the stars
    std::vector<NamedCount> bySpecial;    // each special result seen, in the order first seen
    // The highest Capacities, highest first; among equals the one found first.
    std::vector<BestWorld> bestWorlds;
};

// Pearson's chi-square of one table's counts against its odds: each group
// against its own odds, outcomes expected fewer than five times in a group
// pooled into one cell, and the groups' statistics and degrees of freedom
// added up. An outcome seen that the table cannot give makes p 0.
struct TableFit {
    double statistic = 0.0;
    int degreesOfFreedom = 0;
    double p = 1.0;
    bool impossibleSeen = false;
};

// counts[group][outcome], shaped as odds.odds; unmatched counts results that
// fit no group or outcome of the table.
TableFit FitTable(const TableOdds& odds, const std::vector<std::vector<long>>& counts, long unmatched = 0);

// The chance that a chi-square variable with the given degrees of freedom
// exceeds statistic.
double ChiSquareSurvival(double statistic, int degreesOfFreedom);

// Tallies a run's records as they come: per rolled table the count of each
// outcome, and the sector's totals. Its memory is fixed by the level's tables,
// whatever the number of systems.
class RunStatistics final : public RunOutput {
public:
    // The odds are those of the tables the run rolls on: with house rules, theirs.
    RunStatistics(DetailLevel level, bool census, const HouseRules* rules = nullptr);

    void Add(int number, const SystemRecord& system) override;

    const SectorTotals& Totals() const { return totals_; }
    const std::vector<TableOdds>& Tables() const { return tables_; }
    // [table][group][outcome], as Tables().
    const std::vector<std::vector<std::vector<long>>>& Counts() const { return counts_; }
    TableFit Fit(std::size_t table) const { return FitTable(tables_[table], counts_[table], unmatched_[table]); }

private:
    void Tally(int number, const LowSystem& system);
    void Tally(int number, const MediumSystem& system);
    void Tally(int number, const HighSystem& system);
    template <class Table>
    void Count(Table table, int group, int outcome);
    void AddCensus(const std::optional<CensusValues>& census);
    void AddSpecial(std::string_view special);
    // Whether a world of this Capacity joins the best kept so far.
    bool AmongBest(int capacity) const;
    void AddBest(BestWorld world);

    std::vector<TableOdds> tables_;
    std::vector<std::vector<std::vector<long>>> counts_;
    std::vector<long> unmatched_;
    SectorTotals totals_;
    int mediumMoonCountGroups_[3][kMediumTypeOutcomes] = {};
};

}  // namespace nexmar
