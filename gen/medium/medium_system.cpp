#include "gen/medium/medium_system.h"

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

}  // namespace

void GenerateMediumSystem(GenContext& context, int index, ItemId systemItem)
{
    const int number = index + 1;
    ReportFiles& reports = context.reports;
    // Every system has a table of its own, its header cells directly in the table.
    reports.Html("<table cellpadding=\"1\" border=\"1\">\n");
    reports.Html("\t<th>Object</th><th>Type</th><th>Value</th><th>Capacity</th><th>Census</th><th>Morale</th>"
                 "<th>Productivity</th><th>RAW</th><th>Special</th><th>Moons</th>\n");
    reports.Text("Object,Type,Value,Capacity,Census,Morale,Productivity,RAW,Special,Moons\n");

    const int total = context.dice.Roll(1, 6) + context.dice.Roll(1, 6);
    const LayoutRow& layout = kLayoutTable[total - 2];
    const struct {
        OrbitZone zone;
        int slots;
    } zones[] = {{Inner, layout.inner}, {Habitable, layout.habitable}, {Outer, layout.outer}};
    int slot = 0;
    for (const auto& [zone, slots] : zones) {
        for (int i = 0; i < slots; ++i) {
            GenerateMediumObject(context, zone, number, ++slot, systemItem);
        }
    }

    reports.Text("\n");
    reports.Html("</table>\n");
}

}  // namespace nexmar
