#include "gen/low/low_system.h"

#include <climits>

#include "core/format.h"
#include "gen/table_lookup.h"

namespace nexmar {

namespace {

struct ImportanceRow {
    int lowest;
    int highest;
    const char* sizeClass;
    const char* importance;
    int census;
    int morale;
    int productivity;
    int specialModifier;
    int capacity;
    int raw;
};

// By the importance roll, two d6.
constexpr ImportanceRow kImportanceTable[] = {
    // s        size class       importance     Cen Mor Prod Mod Cap RAW
    {2, 3, "Minor Outpost", "Unimportant", 1, 1, 0, -2, 2, 1},
    {4, 5, "Outpost", "Unimportant", 2, 2, 0, -1, 4, 1},
    {6, 8, "Minor Colony", "Minor", 3, 2, 1, 0, 6, 2},
    {9, 10, "Colony", "Minor", 5, 4, 2, +1, 8, 2},
    {11, 12, "Major Colony", "Major", 7, 6, 3, +2, 10, 3},
};
constexpr const ImportanceRow& kMajorColony = kImportanceTable[4];

struct SpecialRow {
    int lowest;
    int highest;
    const char* text;
    int census;
    int morale;
    int productivity;
    int capacity;
    int raw;
};

// By the special total, two d6 plus the importance row's modifier.
constexpr SpecialRow kSpecialTable[] = {
    // g              text                                                  Cen Mor Prod Cap RAW
    {INT_MIN, 1, "No special", 0, 0, 0, 0, 0},
    {2, 2, "Special: Fair Government (+1 Morale)", 0, 1, 0, 0, 0},
    {3, 5, "Special: Rich in Rare Metals", 0, 0, 0, 0, 1},
    {6, 6, "Special: Fair Climate (+1 Productivity)", 0, 0, 1, 0, 0},
    {7, 7, "Special: Rich in Precious Metals", 0, 0, 0, 0, 2},
    {8, 8, "Special: Expanded Industry (+2 Productivity)", 0, 0, 2, 0, 0},
    {9, 9, "Special: Expanded Population (+1 Census, +1 Morale)", 1, 1, 0, 0, 0},
    {10, 11, "Special: Fair Biosphere (+1 Census, +2 Capacity)", 1, 0, 0, 2, 0},
    {12, INT_MAX, "Special Resource", 0, 0, 0, 0, 0},
};

}  // namespace

void GenerateLowSystem(GenContext& context, int index, ItemId systemItem)
{
    const int number = index + 1;
    const int importanceRoll = context.dice.Roll(1, 6) + context.dice.Roll(1, 6);
    // The first system of every run is a Major Colony; its dice are still rolled.
    const ImportanceRow& base = index == 0 ? kMajorColony : RowFor(kImportanceTable, importanceRoll);

    const int specialTotal = context.dice.Roll(1, 6) + context.dice.Roll(1, 6) + base.specialModifier;
    const SpecialRow& special = RowFor(kSpecialTable, specialTotal);

    const int census = base.census + special.census;
    const int morale = base.morale + special.morale;
    const int productivity = base.productivity + special.productivity;
    const int capacity = base.capacity + special.capacity;
    const int raw = base.raw + special.raw;

    ResultTree& tree = context.tree;
    AddStatItem(tree, Format("Base stats: %s/%s", base.sizeClass, base.importance), NO_VALUE, ImgBlank, systemItem);
    AddStatItem(tree, "Raw", raw, ImgBlank, systemItem);
    AddStatItem(tree, "Capacity", capacity, ImgBlank, systemItem);
    AddStatItem(tree, special.text, NO_VALUE, ImgBlank, systemItem);
    if (context.census) {
        AddStatItem(tree, "Census", census, ImgBlank, systemItem);
        AddStatItem(tree, "Morale", morale, ImgBlank, systemItem);
        AddStatItem(tree, "Productivity", productivity, ImgBlank, systemItem);
    }

    ReportFiles& reports = context.reports;
    if (!reports.IsOpen()) {
        return;
    }
    const CsvField specialField(special.text);
    if (context.census) {
        reports.Text("%d,%s/%s,%d,%d,%d,%d,%d,%s\n", number, base.sizeClass, base.importance, capacity, census,
                     morale, productivity, raw, specialField.c_str());
        reports.Html("\t<tr>\n\t\t<td>%d</td><td>%s/%s</td><td>%d</td><td>%d</td><td>%d</td><td>%d</td><td>%d</td>"
                     "<td>%s</td>\n\t</tr>\n",
                     number, base.sizeClass, base.importance, capacity, census, morale, productivity, raw,
                     special.text);
    } else {
        reports.Text("%d,%s/%s,%d,0,0,0,%d,%s\n", number, base.sizeClass, base.importance, capacity, raw,
                     specialField.c_str());
        reports.Html("\t<tr>\n\t\t<td>%d</td><td>%s/%s</td><td>%d</td><td>0</td><td>0</td><td>0</td><td>%d</td>"
                     "<td>%s</td>\n\t</tr>\n",
                     number, base.sizeClass, base.importance, capacity, raw, special.text);
    }
    reports.Flush();
}

}  // namespace nexmar
