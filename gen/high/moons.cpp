#include "gen/high/moons.h"

#include <climits>

#include "core/format.h"
#include "gen/table_lookup.h"

namespace nexmar {

namespace {

// Indexed by OrbitZone - 1: moons are fewer near the star.
constexpr int kMoonZoneModifier[] = {
    /* Inner */ -2,
    /* Habitable */ 0,
    /* Outer */ +2,
};

// Indexed by HighObjectSize.
constexpr int kMoonSizeModifier[] = {
    /* Tiny */ -3,
    /* Small */ -2,
    /* Medium */ 0,
    /* Large */ +2,
    /* Huge */ +3,
    /* Huge */ +3,
    /* Huge */ +3,
};

struct MoonCountRow {
    int lowest;
    int highest;
    int moons;
};

constexpr MoonCountRow kMoonCountByTotal[] = {
    {INT_MIN, 4, 0},
    {5, 7, 1},
    {8, 9, 2},
    {10, 11, 3},
    {12, 12, 4},
    {13, 13, 5},
    {14, INT_MAX, 6},
};

struct MoonRow {
    int lowest;
    int highest;
    int capacity;
    int raw;
};

// By one d10, plus 1 for a Gas Giant's moon. A moon's RAW may be 0.
constexpr MoonRow kMoonByTotal[] = {
    // total         Cap RAW
    {INT_MIN, 4, 1, 0},
    {5, 7, 1, 1},
    {8, 9, 2, 1},
    {10, INT_MAX, 2, 2},
};

}  // namespace

int RollMoonCount(Dice& dice, OrbitZone zone, HighObjectSize size)
{
    const int total = dice.Roll(1, 10) + kMoonZoneModifier[zone - Inner] + kMoonSizeModifier[size];
    return RowFor(kMoonCountByTotal, total).moons;
}

void GenerateMoon(GenContext& context, int systemNumber, int objectIndex, int moonIndex, char letter,
                  ItemId objectItem, HighObjectType type, OrbitZone zone)
{
    const char* colour = ZoneColour(zone);
    const int total = context.dice.Roll(1, 10) + (type == GasGiant ? 1 : 0);
    const MoonRow& moon = RowFor(kMoonByTotal, total);

    ResultTree& tree = context.tree;
    const ItemId item = tree.Insert(
        objectItem, Format("Moon %d%c.%d.%d", systemNumber, letter, objectIndex + 1, moonIndex + 1), ImgMoon,
        Placement::Last);
    AddStatItem(tree, "Raw", moon.raw, ImgBlank, item);
    AddStatItem(tree, "Capacity", moon.capacity, ImgBlank, item);

    // A moon has no census values and no special, whatever the census option.
    ReportFiles& reports = context.reports;
    reports.Html("\t\t<tr>\n"
                 "\t\t\t<td align=\"right\"><font color=\"#%s\">%d%c.%d.%d</font></td>\n"
                 "\t\t\t<td align=\"right\"><font color=\"#%s\">%s</font></td>\n"
                 "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                 "\t\t\t<td><font color=\"#%s\">0</font></td>\n"
                 "\t\t\t<td><font color=\"#%s\">0</font></td>\n"
                 "\t\t\t<td><font color=\"#%s\">0</font></td>\n"
                 "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                 "\t\t\t<td><font color=\"#%s\">-</font></td>\n"
                 "\t\t</tr>\n",
                 colour, systemNumber, letter, objectIndex + 1, moonIndex + 1, colour, "Moon", colour, moon.capacity,
                 colour, colour, colour, colour, moon.raw, colour);
    reports.Text("%d%c.%d.%d,Moon,%d,0,0,0,%d,-\n", systemNumber, letter, objectIndex + 1, moonIndex + 1,
                 moon.capacity, moon.raw);
}

}  // namespace nexmar
