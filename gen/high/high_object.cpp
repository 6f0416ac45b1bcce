#include "gen/high/high_object.h"

#include "core/format.h"
#include "gen/high/moons.h"
#include "gen/high/object_tables.h"

namespace nexmar {

void GenerateHighObject(GenContext& context, OrbitZone zone, int systemNumber, int objectIndex, char letter,
                        ItemId systemItem)
{
    Dice& dice = context.dice;
    const bool census = context.census;
    const char* colour = ZoneColour(zone);
    const HighObjectType type = RollObjectType(dice, zone);
    const HighObjectSize size = RollObjectSize(dice, type);
    int capacity = SizeCapacity(size);
    if (type == Asteroid) {
        capacity /= 2;
    }
    int raw = RollRaw(dice, type);
    // A Gas Giant's lowest roll, 1, has no entry: "Special: None" and no bonus.
    const int specialRoll = RollSpecial(dice, type);
    const char* specialText = SpecialText(specialRoll);
    capacity = SpecialCapacity(specialRoll, capacity, census);
    raw = SpecialRaw(specialRoll, raw, census);
    // After the bonus: a Tiny Asteroid's halved Capacity of 0 keeps a bonus whole.
    if (capacity <= 0) {
        capacity = 1;
    }
    if (raw <= 0) {
        raw = 1;
    }

    ResultTree& tree = context.tree;
    const ItemId item = tree.Insert(systemItem, Format("Object %d%c.%d", systemNumber, letter, objectIndex + 1),
                                    ZoneImage(zone), Placement::Last);
    AddStatItem(tree, Format("Base stats: %s/%s", ObjectSizeName(size), ObjectTypeName(type)), NO_VALUE, ImgBlank,
                item);
    AddStatItem(tree, "Raw", raw, ImgBlank, item);
    AddStatItem(tree, "Capacity", capacity, ImgBlank, item);
    AddStatItem(tree, specialText, NO_VALUE, ImgBlank, item);

    ReportFiles& reports = context.reports;
    if (census) {
        const int derived = capacity / 2;
        const int moraleAndProductivity = derived - 1 > 0 ? derived - 1 : 1;
        const int censusValue = SpecialCensus(specialRoll, derived);
        const int morale = SpecialMorale(specialRoll, moraleAndProductivity);
        const int productivity = SpecialProductivity(specialRoll, moraleAndProductivity);
        AddStatItem(tree, "Census", censusValue, ImgBlank, item);
        AddStatItem(tree, "Morale", morale, ImgBlank, item);
        AddStatItem(tree, "Productivity", productivity, ImgBlank, item);

        reports.Html("\t\t<tr>\n"
                     "\t\t\t<td><font color=\"#%s\">%d%c.%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%s</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%s</font></td>\n"
                     "\t\t</tr>\n",
                     colour, systemNumber, letter, objectIndex + 1, colour, ObjectTypeName(type), colour, capacity,
                     colour, censusValue, colour, morale, colour, productivity, colour, raw, colour, specialText);
        reports.Text("%d%c.%d,%s,%d,%d,%d,%d,%d,%s\n", systemNumber, letter, objectIndex + 1, ObjectTypeName(type),
                     capacity, censusValue, morale, productivity, raw, specialText);
    } else {
        // A Gaia World shows its colony in the tree even without census; the
        // reports keep their census columns at 0.
        if (specialRoll == kGaiaWorldRoll) {
            AddStatItem(tree, "Census", 1, ImgBlank, item);
            AddStatItem(tree, "Morale", 1, ImgBlank, item);
            AddStatItem(tree, "Productivity", 1, ImgBlank, item);
        }
        reports.Html("\t\t<tr>\n"
                     "\t\t\t<td><font color=\"#%s\">%d%c.%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%s</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">0</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">0</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">0</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%d</font></td>\n"
                     "\t\t\t<td><font color=\"#%s\">%s</font></td>\n"
                     "\t\t</tr>\n",
                     colour, systemNumber, letter, objectIndex + 1, colour, ObjectTypeName(type), colour, capacity,
                     colour, colour, colour, colour, raw, colour, specialText);
        reports.Text("%d%c.%d,%s,%d,0,0,0,%d,%s\n", systemNumber, letter, objectIndex + 1, ObjectTypeName(type),
                     capacity, raw, specialText);
    }

    // Asteroids have no moons and roll no moon die.
    if (type == Asteroid) {
        return;
    }
    const int moons = RollMoonCount(dice, zone, size);
    for (int moonIndex = 0; moonIndex < moons; ++moonIndex) {
        GenerateMoon(context, systemNumber, objectIndex, moonIndex, letter, item, type, zone);
    }
}

}  // namespace nexmar
