#include <gtest/gtest.h>

#include "invariants/high_tables.h"
#include "stats/chi_square.h"

namespace nexmar::stats {
namespace {

using namespace invariants;

constexpr int kSystems = 100000;
const char* const kZones[] = {"", "Inner", "Habitable", "Outer"};

struct Star {
    int colour = 0;
    int size = 0;
};

std::string ColourKey(int colour)
{
    return std::string(kStarColours[colour].name) + " " + kStarColours[colour].spectral;
}

std::string StarKey(const Star& star)
{
    return ColourKey(star.colour) + " " + kSizeClasses[star.size].name;
}

// The colour and size class of a star item from the text after "Star A1: ".
Star ReadStar(const std::string& designation)
{
    for (int colour = 1; colour <= 7; ++colour) {
        for (int size = 1; size <= 5; ++size) {
            const std::string text = std::string(kStarColours[colour].name) + " " + kSizeClasses[size].name + " (" +
                                     kStarColours[colour].spectral + kSizeClasses[size].numeral + ")";
            if (text == designation) {
                return {colour, size};
            }
        }
    }
    return {};
}

struct HighTally {
    std::map<std::string, long> starCounts;
    std::map<std::string, long> colours;
    std::map<std::string, long> sizesByColour;
    Groups zonesByStar;
    Groups typesByZone;
    Groups sizesByType;
    Groups moonsByZoneAndSize;
};

HighTally Tally()
{
    HighTally tally;
    RunSystems(DetailLevel::High, false, kSystems, 8675309, [&](const ResultTree& tree, ItemId system, int) {
        int stars = 0;
        Star first;
        for (const ItemId child : tree.at(system).children) {
            const std::string& text = tree.at(child).text;
            if (text.rfind("Star ", 0) == 0) {
                const Star star = ReadStar(text.substr(text.find(": ") + 2));
                ++stars;
                ++tally.colours[ColourKey(star.colour)];
                ++tally.sizesByColour[StarKey(star)];
                first = text[6] == '1' ? star : first;
                continue;
            }
            const TreeImage image = tree.at(child).image;
            const int zone = image == TreeImage::RedObject ? 1 : image == TreeImage::GreenObject ? 2 : 3;
            ++tally.zonesByStar[StarKey(first)][kZones[zone]];
            std::string base;
            int moons = 0;
            for (const ItemId line : tree.at(child).children) {
                const std::string& lineText = tree.at(line).text;
                base = lineText.rfind("Base stats: ", 0) == 0 ? lineText.substr(12) : base;
                moons += tree.at(line).image == TreeImage::Moon ? 1 : 0;
            }
            const std::string size = base.substr(0, base.find('/'));
            const std::string type = base.substr(base.find('/') + 1);
            ++tally.typesByZone[kZones[zone]][type];
            ++tally.sizesByType[type][size];
            if (type != "Asteroid") {
                ++tally.moonsByZoneAndSize[std::string(kZones[zone]) + " " + size][std::to_string(moons)];
            }
        }
        ++tally.starCounts[std::to_string(stars)];
    });
    return tally;
}

TEST(HighStats, StarsObjectsAndMoonsFollowTheTables)
{
    const HighTally tally = Tally();
    const Odds d10 = DieOdds(1, 10);

    // One d10: 1-7 a single star, 8-9 a pair, 10 a multiple system of 3 to 6 stars by one d4.
    std::map<std::string, double> starCountOdds;
    for (const auto& [face, p] : d10) {
        if (face <= 7) {
            starCountOdds["1"] += p;
        } else if (face <= 9) {
            starCountOdds["2"] += p;
        } else {
            for (const auto& [d4, q] : DieOdds(1, 4)) {
                starCountOdds[std::to_string(d4 + 2)] += p * q;
            }
        }
    }

    std::map<std::string, double> colourOdds;
    std::map<std::string, double> starOdds;
    GroupOdds zoneOdds;
    for (int colour = 1; colour <= 7; ++colour) {
        double pColour = 0.0;
        for (const auto& [face, p] : d10) {
            pColour += face >= kStarColours[colour].fewestFaces && face <= kStarColours[colour].mostFaces ? p : 0.0;
        }
        colourOdds[ColourKey(colour)] = pColour;
        for (const auto& [face, p] : d10) {
            const int size = std::clamp(face + kStarColours[colour].sizeModifier, 1, 5);
            starOdds[StarKey({colour, size})] += pColour * p;
        }
        // An object's zone given its component's first star, among the rolls that give an object.
        for (int size = 1; size <= 5; ++size) {
            const ZoneBands& bands = kZoneBands[colour];
            for (const auto& [face, p] : d10) {
                const int total = face + kSizeClasses[size].zoneModifier;
                if (total >= 1) {
                    const int zone = total <= bands.innerUpTo ? 1 : total <= bands.habitableUpTo ? 2 : 3;
                    zoneOdds[StarKey({colour, size})][kZones[zone]] += p;
                }
            }
        }
    }

    GroupOdds typeOdds;
    GroupOdds moonOdds;
    for (int zone = 1; zone <= 3; ++zone) {
        for (const auto& [face, p] : d10) {
            typeOdds[kZones[zone]][kHighTypes[kHighTypeByFace[zone - 1][face - 1]]] += p;
        }
        for (int size = 0; size <= 4; ++size) {  // the Huge sizes share one moon modifier
            for (const auto& [face, p] : d10) {
                const int total = face + kMoonZoneModifier[zone] + kHighSizes[size].moonModifier;
                moonOdds[std::string(kZones[zone]) + " " + kHighSizes[size].name][std::to_string(MoonsForTotal(total))] += p;
            }
        }
    }
    GroupOdds sizeOdds;
    for (int type = Asteroid; type <= Terrestrial; ++type) {
        for (const auto& [face, p] : d10) {
            const int total = face + (type == GasGiant ? 2 : 0);
            int size = 0;
            while (total > kHighSizes[size].upToTotal) {
                ++size;
            }
            sizeOdds[kHighTypes[type]][kHighSizes[size].name] += p;
        }
    }

    const Fit starCounts = ChiSquare(tally.starCounts, starCountOdds);
    const Fit colours = ChiSquare(tally.colours, colourOdds);
    const Fit sizes = ChiSquare(tally.sizesByColour, starOdds);
    const Fit zones = ChiSquareByGroup(tally.zonesByStar, zoneOdds);
    const Fit types = ChiSquareByGroup(tally.typesByZone, typeOdds);
    const Fit objectSizes = ChiSquareByGroup(tally.sizesByType, sizeOdds);
    const Fit moons = ChiSquareByGroup(tally.moonsByZoneAndSize, moonOdds);
    EXPECT_GE(starCounts.p, kFailBelow) << "star counts: " << starCounts.Describe();
    EXPECT_GE(colours.p, kFailBelow) << "colours: " << colours.Describe();
    EXPECT_GE(sizes.p, kFailBelow) << "size classes by colour: " << sizes.Describe();
    EXPECT_GE(zones.p, kFailBelow) << "zones by star: " << zones.Describe();
    EXPECT_GE(types.p, kFailBelow) << "object types by zone: " << types.Describe();
    EXPECT_GE(objectSizes.p, kFailBelow) << "object sizes by type: " << objectSizes.Describe();
    EXPECT_GE(moons.p, kFailBelow) << "moon counts by zone and size: " << moons.Describe();
    RecordProperty("star_counts", starCounts.Describe());
    RecordProperty("colours", colours.Describe());
    RecordProperty("sizes_by_colour", sizes.Describe());
    RecordProperty("zones_by_star", zones.Describe());
    RecordProperty("types_by_zone", types.Describe());
    RecordProperty("sizes_by_type", objectSizes.Describe());
    RecordProperty("moons_by_zone_and_size", moons.Describe());
}

}  // namespace
}  // namespace nexmar::stats
