#include "gen/medium/medium_system.h"

#include <algorithm>
#include <string>

#include "gen/medium/medium_object.h"

namespace nexmar {

namespace {

struct LayoutRow {
    int total;
    int inner;
    int habitable;
    int outer;
};

// By the layout roll, two d6: how many slots each zone holds. Slots are
// numbered from 1, Inner first, then Habitable, then Outer.
constexpr LayoutRow kLayoutTable[] = {
    // total  Inner  Habitable  Outer      objects
    {2,       1,     0,         0},     //  1
    {3,       1,     1,         0},     //  2
    {4,       1,     1,         1},     //  3
    {5,       2,     1,         1},     //  4
    {6,       2,     2,         1},     //  5
    {7,       2,     2,         2},     //  6
    {8,       2,     2,         2},     //  6
    {9,       3,     2,         2},     //  7
    {10,      3,     3,         2},     //  8
    {11,      3,     3,         3},     //  9
    {12,      4,     3,         3},     // 10
};

const LayoutRow& LayoutFor(int twoD6)
{
    return kLayoutTable[twoD6 - 2];
}

}  // namespace

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

int MediumMostObjects()
{
    int most = 0;
    for (const LayoutRow& row : kLayoutTable) {
        most = std::max(most, row.inner + row.habitable + row.outer);
    }
    return most;
}

std::vector<TableOdds> MediumTableOdds()
{
    std::vector<std::string> counts;
    for (int objects = 1; objects <= 10; ++objects) {
        counts.push_back(std::to_string(objects) + (objects == 1 ? " object" : " objects"));
    }
    TableOdds layout("Medium: objects by layout", {""}, counts);
    ForEachTwoD6([&](int total, double p) {
        const LayoutRow& row = LayoutFor(total);
        layout.odds[0][row.inner + row.habitable + row.outer - 1] += p;
    });
    std::vector<TableOdds> tables = TableList(layout);
    for (TableOdds& table : MediumObjectTableOdds()) {
        tables.push_back(std::move(table));
    }
    return tables;
}

}  // namespace nexmar
