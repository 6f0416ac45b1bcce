#include "gen/high/high_system.h"

#include "core/format.h"
#include "gen/high/high_object.h"

namespace nexmar {

namespace {

struct ZoneRow {
    int innerUpTo;
    int habitableUpTo;  // equal to innerUpTo: the star has no Habitable zone
};

// Indexed by StarColour - 1. A total of 0 or less gives no object; above
// habitableUpTo the object is Outer.
constexpr ZoneRow kZoneTable[] = {
    //  Inner  Habitable
    /* 1 Extremely Hot Blue */ {4, 4},
    /* 2 Blue (B) */ {4, 4},
    /* 3 Blue (A) */ {3, 4},
    /* 4 White */ {3, 5},
    /* 5 Yellow */ {2, 5},
    /* 6 Orange */ {2, 4},
    /* 7 Red */ {2, 4},
};

enum class Component { None, Single, Pair };

// By one d4: the components of a multiple system, in order, as A, B and C.
constexpr Component kMultipleComponents[4][3] = {
    /* 1 */ {Component::Pair, Component::Single, Component::None},
    /* 2 */ {Component::Pair, Component::Pair, Component::None},
    /* 3 */ {Component::Pair, Component::Pair, Component::Single},
    /* 4 */ {Component::Pair, Component::Pair, Component::Pair},
};

struct Star {
    StarColour colour;
    SizeClass size;
};

Star RollStar(Dice& dice)
{
    const StarColour colour = RollStarColour(dice);
    return {colour, RollSizeClass(dice, SizeRollModifier(colour))};
}

// Rolls the component's stars and shows each in the tree at once; then its
// star lines, its table with the header row, its objects zone by zone and the
// table's end. Only the first star shapes the objects.
void GenerateComponent(GenContext& context, int systemNumber, char letter, ItemId systemItem, int starCount)
{
    Star stars[2] = {};
    for (int s = 0; s < starCount; ++s) {
        const Star& star = stars[s] = RollStar(context.dice);
        context.tree.Insert(systemItem,
                            Format("Star %c%d: %s %s (%s%s)", letter, s + 1, ColourName(star.colour),
                                   SizeClassName(star.size), SpectralLetter(star.colour),
                                   LuminosityNumeral(star.size)),
                            StarImage(star.colour), Placement::Last);
    }

    ReportFiles& reports = context.reports;
    for (int s = 0; s < starCount; ++s) {
        const Star& star = stars[s];
        reports.Html("<br><font size=\"3\">Star %c: %s %s (%s%s)</font>\n", letter, ColourName(star.colour),
                     SizeClassName(star.size), SpectralLetter(star.colour), LuminosityNumeral(star.size));
        reports.Text("Star %c: %s %s (%s%s)\n", letter, ColourName(star.colour), SizeClassName(star.size),
                     SpectralLetter(star.colour), LuminosityNumeral(star.size));
    }
    reports.Html("<table cellpadding=\"1\" border=\"1\">\n"
                 "\t<th>Object</th><th>Type</th><th>Capacity</th><th>Census</th><th>Morale</th><th>Productivity</th>"
                 "<th>RAW</th><th>Special</th>\n");
    reports.Text("Object,Type,Capacity,Census,Morale,Productivity,RAW,Special\n");

    // Each zone roll of 0 costs an object and also one pass of the loop.
    const StarColour colour = stars[0].colour;
    const int zoneModifier = ZoneRollModifier(stars[0].size);
    int zoneCounts[3] = {0, 0, 0};
    int objects = context.dice.Roll(1, 10);
    for (int pass = 0; pass < objects; ++pass) {
        const int zone = RollZone(context.dice, colour, zoneModifier);
        if (zone == kNoObject) {
            --objects;
        } else {
            ++zoneCounts[zone - Inner];
        }
    }

    int objectIndex = 0;
    for (const OrbitZone zone : {Inner, Habitable, Outer}) {
        for (int n = 0; n < zoneCounts[zone - Inner]; ++n) {
            GenerateHighObject(context, zone, systemNumber, objectIndex++, letter, systemItem);
        }
    }

    reports.Html("</table>\n");
    reports.Text("\n");
}

}  // namespace

int RollZone(Dice& dice, StarColour colour, int zoneModifier)
{
    const int total = dice.Roll(1, 10) + zoneModifier;
    const ZoneRow& row = kZoneTable[colour - 1];
    if (total <= 0) {
        return kNoObject;
    }
    if (total <= row.innerUpTo) {
        return Inner;
    }
    return total <= row.habitableUpTo ? Habitable : Outer;
}

void GenerateSingleStar(GenContext& context, int systemNumber, char letter, ItemId systemItem)
{
    GenerateComponent(context, systemNumber, letter, systemItem, 1);
}

void GenerateStarPair(GenContext& context, int systemNumber, char letter, ItemId systemItem)
{
    GenerateComponent(context, systemNumber, letter, systemItem, 2);
}

void GenerateMultipleStars(GenContext& context, int systemNumber, ItemId systemItem)
{
    char letter = 'A';
    for (const Component component : kMultipleComponents[context.dice.Roll(1, 4) - 1]) {
        if (component == Component::Pair) {
            GenerateStarPair(context, systemNumber, letter++, systemItem);
        } else if (component == Component::Single) {
            GenerateSingleStar(context, systemNumber, letter++, systemItem);
        }
    }
}

void GenerateHighSystem(GenContext& context, int index, ItemId systemItem)
{
    const int systemNumber = index + 1;
    const int starCount = context.dice.Roll(1, 10);
    if (starCount <= 7) {
        GenerateSingleStar(context, systemNumber, 'A', systemItem);
    } else if (starCount <= 9) {
        GenerateStarPair(context, systemNumber, 'A', systemItem);
    } else {
        GenerateMultipleStars(context, systemNumber, systemItem);
    }
}

}  // namespace nexmar
