#include "gen/medium/medium_system.h"

#include <algorithm>
#include <string>

#include "gen/medium/medium_object.h"
#include "gen/medium/medium_rows.h"

namespace nexmar {

using namespace medium;

MediumSystem GenerateMediumSystem(Dice& dice, bool census)
{
    const int total = dice.Roll(1, 6) + dice.Roll(1, 6);
    const LayoutRow& layout = LayoutFor(total);
    const struct {
        OrbitZone zone;
        int slots;
    } zones[] = {{OrbitZone::Inner, layout.inner}, {OrbitZone::Habitable, layout.habitable},
                 {OrbitZone::Outer, layout.outer}};
    MediumSystem system;
    system.objects.reserve(static_cast<std::size_t>(layout.inner + layout.habitable + layout.outer));
    for (const auto& [zone, slots] : zones) {
        for (int i = 0; i < slots; ++i) {
            system.objects.push_back(GenerateMediumObject(dice, zone, census));
        }
    }
    return system;
}

bool MediumLayoutGives(int inner, int habitable, int outer)
{
    for (const LayoutRow& row : kLayoutTable) {
        if (row.inner == inner && row.habitable == habitable && row.outer == outer) {
            return true;
        }
    }
    return false;
}

std::vector<TableOdds> MediumTableOdds()
{
    std::vector<std::string> counts;
    for (int objects = 1; objects <= kMediumMostObjects; ++objects) {
        counts.push_back(std::to_string(objects) + (objects == 1 ? " object" : " objects"));
    }
    TableOdds layout("Medium: objects by layout", {""}, counts);
    ForEachTwoD6([&](int total, double p) {
        layout.odds[0][ObjectsOf(LayoutFor(total)) - 1] += p;
    });
    std::vector<TableOdds> tables = TableList(layout);
    for (TableOdds& table : MediumObjectTableOdds()) {
        tables.push_back(std::move(table));
    }
    return tables;
}

}  // namespace nexmar
