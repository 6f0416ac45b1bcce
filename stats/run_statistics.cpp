#include "stats/run_statistics.h"

#include <boost/math/special_functions/gamma.hpp>

#include <algorithm>
#include <variant>

#include "gen/high/object_tables.h"
#include "gen/record_text.h"

namespace nexmar {

namespace {

std::vector<NamedCount> Named(const std::vector<std::string>& names)
{
    std::vector<NamedCount> counts;
    for (const std::string& name : names) {
        counts.push_back({name, 0});
    }
    return counts;
}

constexpr int kFewestExpected = 5;

}  // namespace

double ChiSquareSurvival(double statistic, int degreesOfFreedom)
{
    if (degreesOfFreedom <= 0 || statistic <= 0.0) {
        return 1.0;
    }
    return boost::math::gamma_q(degreesOfFreedom / 2.0, statistic / 2.0);
}

TableFit FitTable(const TableOdds& odds, const std::vector<std::vector<long>>& counts, long unmatched)
{
    TableFit fit;
    fit.impossibleSeen = unmatched > 0;
    for (std::size_t group = 0; group < odds.groups.size(); ++group) {
        long seen = 0;
        for (const long count : counts[group]) {
            seen += count;
        }
        if (seen == 0) {
            continue;
        }
        double pooledSeen = 0.0;
        double pooledExpected = 0.0;
        int cells = 0;
        for (std::size_t outcome = 0; outcome < odds.outcomes.size(); ++outcome) {
            const double count = static_cast<double>(counts[group][outcome]);
            const double expected = static_cast<double>(seen) * odds.odds[group][outcome];
            if (expected <= 0.0) {
                fit.impossibleSeen = fit.impossibleSeen || count > 0.0;
                continue;
            }
            if (expected < kFewestExpected) {
                pooledSeen += count;
                pooledExpected += expected;
                continue;
            }
            fit.statistic += (count - expected) * (count - expected) / expected;
            ++cells;
        }
        if (pooledExpected > 0.0) {
            fit.statistic += (pooledSeen - pooledExpected) * (pooledSeen - pooledExpected) / pooledExpected;
            ++cells;
        }
        fit.degreesOfFreedom += cells > 0 ? cells - 1 : 0;
    }
    fit.p = fit.impossibleSeen ? 0.0 : ChiSquareSurvival(fit.statistic, fit.degreesOfFreedom);
    return fit;
}

RunStatistics::RunStatistics(DetailLevel level, bool census, const HouseRules* rules)
    : tables_(TableOddsOf(level, rules))
{
    for (const TableOdds& table : tables_) {
        counts_.emplace_back(table.groups.size(), std::vector<long>(table.outcomes.size(), 0));
    }
    unmatched_.assign(tables_.size(), 0);
    totals_.level = level;
    totals_.census = census;
    // The breakdowns are named as the tables name their outcomes.
    const auto outcomesOf = [this](auto table) { return Named(tables_[static_cast<std::size_t>(table)].outcomes); };
    const auto groupsOf = [this](auto table) { return Named(tables_[static_cast<std::size_t>(table)].groups); };
    switch (level) {
    case DetailLevel::Low:
        totals_.bySizeClass = outcomesOf(LowTable::SizeClass);
        break;
    case DetailLevel::Medium:
        totals_.byType = outcomesOf(MediumTable::Type);
        totals_.byType.resize(kMediumHostileWithoutValue);  // both Hostile outcomes count as Hostile
        totals_.byZone = groupsOf(MediumTable::Type);
        for (const OrbitZone zone : kOrbitZones) {
            for (int type = 0; type < kMediumTypeOutcomes; ++type) {
                mediumMoonCountGroups_[static_cast<int>(zone)][type] = MediumMoonCountGroup(zone, type);
            }
        }
        break;
    case DetailLevel::High:
        totals_.bySizeClass = outcomesOf(HighTable::Size);
        totals_.byType = outcomesOf(HighTable::Type);
        totals_.byZone = groupsOf(HighTable::Type);
        totals_.byStarSize = outcomesOf(HighTable::StarSize);
        break;
    }
}

template <class Table>
void RunStatistics::Count(Table table, int group, int outcome)
{
    const auto index = static_cast<std::size_t>(table);
    std::vector<std::vector<long>>& counts = counts_[index];
    if (group < 0 || outcome < 0 || group >= static_cast<int>(counts.size()) ||
        outcome >= static_cast<int>(counts[group].size())) {
        ++unmatched_[index];
        return;
    }
    ++counts[group][outcome];
}

void RunStatistics::AddCensus(const std::optional<CensusValues>& census)
{
    if (census) {
        totals_.censusTotal += census->census;
        totals_.morale += census->morale;
        totals_.productivity += census->productivity;
    }
}

void RunStatistics::AddSpecial(std::string_view special)
{
    if (!IsSpecial(special)) {
        return;
    }
    const auto seen = std::find_if(totals_.bySpecial.begin(), totals_.bySpecial.end(),
                                   [special](const NamedCount& count) { return count.name == special; });
    if (seen != totals_.bySpecial.end()) {
        ++seen->count;
    } else {
        totals_.bySpecial.push_back({std::string(special), 1});
    }
}

bool RunStatistics::AmongBest(int capacity) const
{
    return totals_.bestWorlds.size() < kBestWorldsKept || capacity > totals_.bestWorlds.back().capacity;
}

void RunStatistics::AddBest(BestWorld world)
{
    std::vector<BestWorld>& best = totals_.bestWorlds;
    const auto place = std::upper_bound(best.begin(), best.end(), world.capacity,
                                        [](int capacity, const BestWorld& kept) { return capacity > kept.capacity; });
    best.insert(place, std::move(world));
    if (best.size() > kBestWorldsKept) {
        best.pop_back();
    }
}

void RunStatistics::Tally(int number, const LowSystem& system)
{
    ++totals_.systems;
    totals_.capacity += system.capacity;
    totals_.raw += system.raw;
    AddCensus(system.census);
    const int sizeClass = static_cast<int>(system.sizeClass);
    ++totals_.bySizeClass[sizeClass].count;
    // The first system's class is set, not rolled; its special is rolled.
    if (number > 1) {
        Count(LowTable::SizeClass, 0, sizeClass);
    }
    Count(LowTable::Special, sizeClass, LowSpecialRow(system.special));
    AddSpecial(system.special);
    if (AmongBest(system.capacity)) {
        AddBest({number, {}, LowSizeClassName(system.sizeClass), system.capacity});
    }
}

void RunStatistics::Tally(int number, const MediumSystem& system)
{
    ++totals_.systems;
    Count(MediumTable::Layout, 0, static_cast<int>(system.objects.size()) - 1);
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        ++slot;
        AddSpecial(object.special);
        if (AmongBest(object.capacity)) {
            AddBest({number, MediumObjectNumber(number, slot), MediumObjectTypeName(object.type), object.capacity});
        }
        ++totals_.objects;
        totals_.moons += static_cast<long>(object.moons.size());
        totals_.capacity += object.capacity;
        totals_.raw += object.raw;
        AddCensus(object.census);
        ++totals_.byType[static_cast<int>(object.type)].count;
        ++totals_.byZone[static_cast<int>(object.zone)].count;

        const int zone = static_cast<int>(object.zone);
        const int type = MediumTypeOutcome(object);
        Count(MediumTable::Type, zone, type);
        if (const int valued = MediumValuedGroup(object); valued >= 0) {
            Count(MediumTable::Value, valued, static_cast<int>(*object.value));
            Count(MediumTable::Special, valued, MediumSpecialRow(object.special));
        }
        Count(MediumTable::MoonCount, mediumMoonCountGroups_[zone][type], static_cast<int>(object.moons.size()));
        for (const std::string_view moon : object.moons) {
            Count(MediumTable::Moon, 0, MediumMoonRow(moon));
        }
    }
}

void RunStatistics::Add(int number, const SystemRecord& system)
{
    std::visit([this, number](const auto& levelSystem) { Tally(number, levelSystem); }, system);
}

void RunStatistics::Tally(int number, const HighSystem& system)
{
    ++totals_.systems;
    int stars = 0;
    for (const StarComponent& component : system.components) {
        for (const Star& star : component.stars) {
            ++stars;
            ++totals_.byStarSize[static_cast<int>(star.size)].count;
            Count(HighTable::Colour, 0, static_cast<int>(star.colour));
            Count(HighTable::StarSize, static_cast<int>(star.colour), static_cast<int>(star.size));
        }
        const int firstStar = HighStarGroup(component.stars.front());
        int objectIndex = 0;
        for (const HighObject& object : component.objects) {
            AddSpecial(object.special);
            if (AmongBest(object.capacity)) {
                AddBest({number, HighObjectNumber(number, component.letter, objectIndex),
                         HighObjectTypeName(object.type), object.capacity});
            }
            ++objectIndex;
            ++totals_.objects;
            totals_.moons += static_cast<long>(object.moons.size());
            totals_.gaiaWorlds += object.gaiaWorld ? 1 : 0;
            totals_.capacity += object.capacity;
            totals_.raw += object.raw;
            AddCensus(object.census);
            const int type = static_cast<int>(object.type);
            const int zone = static_cast<int>(object.zone);
            const int size = static_cast<int>(object.size);
            ++totals_.bySizeClass[size].count;
            ++totals_.byType[type].count;
            ++totals_.byZone[zone].count;

            Count(HighTable::Zone, firstStar, zone);
            Count(HighTable::Type, zone, type);
            Count(HighTable::Size, type, size);
            // The special only ever adds RAW, so the rolled RAW is what remains.
            Count(HighTable::Raw, type, object.raw - SpecialRaw(object.specialRoll, 0, totals_.census) - 1);
            Count(HighTable::Special, type, object.specialRoll - 1);
            if (object.type != HighObjectType::Asteroid) {
                Count(HighTable::MoonCount, HighMoonCountGroup(object.zone, object.size), static_cast<int>(object.moons.size()));
            }
            for (const HighMoon& moon : object.moons) {
                totals_.capacity += moon.capacity;
                totals_.raw += moon.raw;
                Count(HighTable::Moon, HighMoonGroup(object.type), HighMoonRow(moon));
            }
        }
    }
    totals_.stars += stars;
    Count(HighTable::StarCount, 0, stars - 1);
}

}  // namespace nexmar
