#include "model/system_overview.h"

#include <algorithm>
#include <numeric>

#include "gen/record_text.h"
#include "map/run_places.h"

namespace nexmar {

namespace {

// The label the tree's special lines start with, which every cell of the
// overview's Specials column would only repeat.
constexpr std::string_view kSpecialLabel = "Special: ";

// A special joins the row's list once.
void AddSpecial(OverviewRow& row, std::string_view special)
{
    if (!IsSpecial(special)) {
        return;
    }
    if (special.starts_with(kSpecialLabel)) {
        special.remove_prefix(kSpecialLabel.size());
    }
    const std::string_view shown = row.specials;
    std::size_t start = 0;
    while (start <= shown.size()) {
        const std::size_t end = std::min(shown.find("; ", start), shown.size());
        if (shown.substr(start, end - start) == special) {
            return;
        }
        start = end + 2;
    }
    row.specials += row.specials.empty() ? "" : "; ";
    row.specials += special;
}

void AddValues(OverviewRow& row, int capacity, int raw)
{
    row.bestCapacity = std::max(row.bestCapacity, capacity);
    row.totalRaw += raw;
}

void Fill(OverviewRow& row, const LowSystem& system)
{
    row.objects = 1;
    AddValues(row, system.capacity, system.raw);
    AddSpecial(row, system.special);
}

void Fill(OverviewRow& row, const MediumSystem& system)
{
    for (const MediumObject& object : system.objects) {
        ++row.objects;
        row.moons += static_cast<int>(object.moons.size());
        AddValues(row, object.capacity, object.raw);
        AddSpecial(row, object.special);
    }
}

void Fill(OverviewRow& row, const HighSystem& system)
{
    for (const StarComponent& component : system.components) {
        row.stars += static_cast<int>(component.stars.size());
        for (const HighObject& object : component.objects) {
            ++row.objects;
            row.moons += static_cast<int>(object.moons.size());
            row.gaiaWorlds += object.gaiaWorld ? 1 : 0;
            AddValues(row, object.capacity, object.raw);
            AddSpecial(row, object.special);
            for (const HighMoon& moon : object.moons) {
                AddValues(row, moon.capacity, moon.raw);
            }
        }
    }
}

void Place(OverviewRow& row, const SystemPlaces& hexes)
{
    const HexPlace hex = hexes.Of(row.number);
    row.hex = PlaceName(hexes.Extent(), hex);
    row.hexOrder = (hexes.Extent().SectorOf(hex) * 100 + SectorColumnOf(hex)) * 100 + SectorRowOf(hex);
}

}  // namespace

OverviewCell OverviewCellOf(const OverviewRow& row, int column)
{
    switch (column) {
    case 0: return row.number;
    case 1: return std::string_view(row.name);
    case 2: return OverviewHex{row.hex, row.hexOrder};
    case 3: return row.stars;
    case 4: return row.objects;
    case 5: return row.moons;
    case 6: return row.gaiaWorlds;
    case 7: return row.bestCapacity;
    case 8: return row.totalRaw;
    default: return std::string_view(row.specials);
    }
}

std::vector<OverviewRow> OverviewRows(const RunRecords& records, const SystemPlaces& hexes,
                                      const std::optional<std::vector<std::size_t>>& places)
{
    std::vector<std::size_t> chosen;
    if (places) {
        chosen = *places;
    } else {
        chosen.resize(records.size());
        std::iota(chosen.begin(), chosen.end(), std::size_t{0});
    }
    std::vector<OverviewRow> rows;
    rows.reserve(chosen.size());
    for (const std::size_t place : chosen) {
        OverviewRow& row = rows.emplace_back();
        row.place = place;
        row.number = records.NumberAt(place);
        row.name = records.Edits().Name(row.number);
        Place(row, hexes);
        std::visit([&row](const auto& system) { Fill(row, system); }, records.At(place));
    }
    return rows;
}

}  // namespace nexmar
