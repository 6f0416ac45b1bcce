#include <algorithm>
#include <map>
#include <set>

#include "core/format.h"
#include "invariants/checker.h"
#include "invariants/high_tables.h"

namespace nexmar::invariants {

namespace {

struct Star {
    int colour = 0;
    int size = 0;
};

// Every star designation the tables can give, with its colour and size class.
const std::map<std::string, Star>& StarDesignations()
{
    static const std::map<std::string, Star> designations = [] {
        std::map<std::string, Star> all;
        for (int colour = 1; colour <= 7; ++colour) {
            for (int size = 1; size <= 5; ++size) {
                const StarColourRow& c = kStarColours[colour];
                const SizeClassRow& s = kSizeClasses[size];
                all[Format("%s %s (%s%s)", c.name, s.name, c.spectral, s.numeral)] = {colour, size};
            }
        }
        return all;
    }();
    return designations;
}

const char* SpecialText(int roll)
{
    return roll >= 2 && roll <= 14 ? kHighSpecials[roll].text : "Special: None";
}

}  // namespace

void Checker::CheckHigh()
{
    ExpectedReports expected;
    // The dice the tree accounts for: two d6 per object's special roll, one
    // d4 per multiple system.
    std::size_t d6 = 0;
    std::size_t d4 = 0;
    const std::vector<std::string> header{"Object", "Type",    "Capacity", "Census",
                                          "Morale", "Productivity", "RAW", "Special"};
    for (std::size_t i = 0; i < systemItems_.size(); ++i) {
        const std::string system = Format("System %d", SystemNumber(i));
        expected.records.push_back({system});
        expected.headings.push_back(system);
        const std::vector<ItemId>& children = tree_.at(systemItems_[i]).children;
        std::vector<int> components;  // the number of stars of each
        std::size_t next = 0;
        char letter = 'A';
        while (next < children.size() && letter <= 'C') {
            // The component's star or close pair.
            Star first;
            int stars = 0;
            while (next < children.size() && stars < 2) {
                const ResultTree::Item& item = tree_.at(children[next]);
                const std::string prefix = Format("Star %c%d: ", letter, stars + 1);
                if (item.text.rfind(prefix, 0) != 0) {
                    break;
                }
                const std::string designation = item.text.substr(prefix.size());
                const auto star = StarDesignations().find(designation);
                CHECK_INVARIANT(star != StarDesignations().end(), system + " has a star " + item.text);
                if (star != StarDesignations().end()) {
                    CHECK_INVARIANT(ImageIndex(item.image) == kStarColours[star->second.colour].image && item.children.empty(),
                           system + ": the item of " + item.text);
                    first = stars == 0 ? star->second : first;
                }
                const std::string line = Format("Star %c: %s", letter, designation.c_str());
                expected.records.push_back({line});
                expected.headings.push_back(line);
                ++stars;
                ++next;
            }
            CHECK_INVARIANT(stars > 0, Format("%s: component %c has no star", system.c_str(), letter));
            if (stars == 0 || first.colour == 0) {
                break;
            }
            components.push_back(stars);
            expected.records.push_back(header);
            ExpectedTable table{header, {}};

            // Its objects, zone by zone, numbered from 1.
            const ZoneBands& bands = kZoneBands[first.colour];
            const int highestTotal = 10 + kSizeClasses[first.size].zoneModifier;
            int number = 0;
            int lastZone = 1;
            while (next < children.size() && tree_.at(children[next]).text.rfind("Object ", 0) == 0) {
                const ResultTree::Item& object = tree_.at(children[next]);
                const std::string label = Format("%d%c.%d", SystemNumber(i), letter, ++number);
                CHECK_INVARIANT(object.text == "Object " + label, "\"" + object.text + "\" where Object " + label + " belongs");
                const int zone = ZoneOfImage(object.image);
                CHECK_INVARIANT(zone != 0, Format("object %s has image %d", label.c_str(), ImageIndex(object.image)));
                if (zone != 0) {
                    CHECK_INVARIANT(zone >= lastZone, "zones out of order at object " + label);
                    lastZone = zone;
                    const bool reachable = zone == 1 || (zone == 2 && bands.habitableUpTo > bands.innerUpTo) ||
                                           (zone == 3 && highestTotal > bands.habitableUpTo);
                    CHECK_INVARIANT(reachable, Format("object %s in zone %d of a %s %s star", label.c_str(), zone,
                                             kStarColours[first.colour].name, kStarColours[first.colour].spectral));
                    d6 += 2;
                    for (const std::vector<std::string>& row : CheckHighObject(children[next], zone, label)) {
                        table.rows.emplace_back(row, ZoneFontColour(zone));
                        expected.records.push_back(row);
                    }
                }
                ++next;
            }
            CHECK_INVARIANT(number <= 10, Format("%d objects in component %c of %s", number, letter, system.c_str()));
            expected.records.push_back({""});
            expected.tables.push_back(table);
            ++letter;
        }
        CHECK_INVARIANT(next == children.size(), system + ": items after its last component");
        d4 += components.size() > 1 ? 1 : 0;
        const std::vector<std::vector<int>> groupings{{1}, {2}, {2, 1}, {2, 2}, {2, 2, 1}, {2, 2, 2}};
        CHECK_INVARIANT(std::find(groupings.begin(), groupings.end(), components) != groupings.end(),
               system + ": a grouping of stars that the star-count tables never give");
    }
    const auto rolls = [&](std::pair<int, int> bounds) {
        return static_cast<std::size_t>(std::count(run_.calls.begin(), run_.calls.end(), bounds));
    };
    CHECK_INVARIANT(!run_.rolled || (rolls({1, 6}) == d6 && rolls({1, 4}) == d4),
                 Format("%zu d6 and %zu d4 rolls, the tree accounts for %zu and %zu", rolls({1, 6}), rolls({1, 4}), d6, d4));
    CompareReports(expected);
}

// Checks one object and its moons against the tables and returns the report
// rows their tree items call for: the object's, then each moon's.
std::vector<std::vector<std::string>> Checker::CheckHighObject(ItemId objectItem, int zone, const std::string& label)
{
    const std::string where = "object " + label;
    const bool census = run_.inputs.settings.census;
    const std::vector<ItemId>& children = tree_.at(objectItem).children;
    std::vector<ItemId> lines;
    std::vector<ItemId> moons;
    for (const ItemId child : children) {
        const bool moon = tree_.at(child).image == TreeImage::Moon;
        CHECK_INVARIANT(moon || moons.empty(), where + ": a stat line after a moon");
        (moon ? moons : lines).push_back(child);
        CHECK_INVARIANT(moon || (tree_.at(child).image == TreeImage::Blank && tree_.at(child).children.empty()), "a stat line of " + where);
    }
    ExpectSorted(lines, where);
    const StatLines stats = ReadStatLines(tree_, lines);
    const auto [sizeName, typeName] = stats.BaseStats();
    const std::string special = stats.Bare("Special: ").value_or("?");

    const int type = static_cast<int>(std::find(std::begin(kHighTypes), std::end(kHighTypes), typeName) - std::begin(kHighTypes));
    const bool typeInZone = type < 5 && std::find(std::begin(kHighTypeByFace[zone - 1]), std::end(kHighTypeByFace[zone - 1]),
                                                  type) != std::end(kHighTypeByFace[zone - 1]);
    CHECK_INVARIANT(typeInZone, Format("%s: zone %d never gives a %s", where.c_str(), zone, typeName.c_str()));
    if (!typeInZone) {
        return {};
    }
    const bool gasGiant = type == GasGiant;

    // The sizes of that name the size roll can reach for the type.
    std::vector<int> sizes;
    for (int size = 0; size < 7; ++size) {
        const int lowestTotal = size == 0 ? -100 : kHighSizes[size - 1].upToTotal + 1;
        const bool reached = lowestTotal <= 10 + (gasGiant ? 2 : 0) && kHighSizes[size].upToTotal >= 1 + (gasGiant ? 2 : 0);
        if (reached && kHighSizes[size].name == sizeName) {
            sizes.push_back(size);
        }
    }
    CHECK_INVARIANT(!sizes.empty(), where + ": a " + typeName + " is never " + sizeName);

    // Find a size and a special roll of the type that give what the tree shows.
    const std::optional<int> capacity = stats.Value("Capacity");
    const std::optional<int> raw = stats.Value("Raw");
    const int modifier = kHighSpecialModifier[type];
    bool explained = false;
    int roll = 0;
    for (int r = 2 + modifier; r <= 12 + modifier && !explained; ++r) {
        if (special != SpecialText(r)) {
            continue;
        }
        const HighSpecial bonus = r >= 2 ? kHighSpecials[r] : HighSpecial{};
        const int rawBase = raw.value_or(0) - (census ? bonus.rawOn : bonus.rawOff);
        for (const int size : sizes) {
            const int capacityBase = kHighSizes[size].capacity / (type == Asteroid ? 2 : 1);
            const int withBonus = std::max(1, capacityBase + (census ? bonus.capacityOn : bonus.capacityOff));
            if (capacity == withBonus && rawBase >= 1 && rawBase <= 3) {
                explained = true;
                roll = r;
            }
        }
    }
    CHECK_INVARIANT(explained, Format("%s: %s %s with \"%s\" cannot show Capacity %d and RAW %d", where.c_str(), sizeName.c_str(),
                             typeName.c_str(), special.c_str(), capacity.value_or(-1), raw.value_or(-1)));
    CHECK_INVARIANT(capacity.value_or(0) >= 1 && capacity.value_or(0) <= 10 && raw.value_or(0) >= 1 && raw.value_or(0) <= 6,
           where + ": Capacity or RAW out of range");

    const bool gaia = special == "Special: Gaia World/Splinter Colony";
    const int half = capacity.value_or(0) / 2;
    const HighSpecial bonus = roll >= 2 ? kHighSpecials[roll] : HighSpecial{};
    const int censusValue = half + bonus.census;
    const int morale = std::max(half - 1, 1) + bonus.morale;
    const int productivity = std::max(half - 1, 1) + bonus.productivity;
    CHECK_INVARIANT(lines.size() == (census || gaia ? 7u : 4u), Format("%zu lines under %s", lines.size(), where.c_str()));
    if (census && explained) {
        CHECK_INVARIANT(stats.Value("Census") == censusValue && stats.Value("Morale") == morale &&
                   stats.Value("Productivity") == productivity,
               "the census values of " + where);
        CHECK_INVARIANT(censusValue >= 0 && censusValue <= 6 && morale >= 1 && morale <= 4 && productivity >= 1 && productivity <= 5,
               where + ": census values out of range");
    } else if (gaia) {
        CHECK_INVARIANT(stats.Value("Census") == 1 && stats.Value("Morale") == 1 && stats.Value("Productivity") == 1,
               "the Gaia World lines of " + where);
    }
    const auto shown = [&](int v) { return std::to_string(census ? v : 0); };
    std::vector<std::vector<std::string>> rows{{label, typeName, std::to_string(capacity.value_or(0)), shown(censusValue),
                                                shown(morale), shown(productivity), std::to_string(raw.value_or(0)),
                                                special}};

    // Moons: none for an asteroid; otherwise as many as the moon-count roll can give.
    int fewest = 99;
    int most = -1;
    for (const int size : sizes) {
        for (int face = 1; face <= 10; ++face) {
            const int count = MoonsForTotal(face + kMoonZoneModifier[zone] + kHighSizes[size].moonModifier);
            fewest = std::min(fewest, count);
            most = std::max(most, count);
        }
    }
    const int moonCount = static_cast<int>(moons.size());
    CHECK_INVARIANT(type == Asteroid ? moons.empty() : moonCount >= fewest && moonCount <= most,
           Format("%s, a %s %s in zone %d, has %d moons", where.c_str(), sizeName.c_str(), typeName.c_str(), zone,
                  moonCount));
    // A moon's Capacity and RAW by its total: 1/0, 1/1, 2/1 or 2/2.
    const std::set<std::pair<int, int>> moonStats{{1, 0}, {1, 1}, {2, 1}, {2, 2}};
    for (int m = 0; m < moonCount; ++m) {
        const ResultTree::Item& moon = tree_.at(moons[m]);
        const std::string moonLabel = Format("%s.%d", label.c_str(), m + 1);
        CHECK_INVARIANT(moon.text == "Moon " + moonLabel, "\"" + moon.text + "\" where Moon " + moonLabel + " belongs");
        std::vector<std::string> texts;
        for (const ItemId line : moon.children) {
            texts.push_back(tree_.at(line).text);
            CHECK_INVARIANT(tree_.at(line).image == TreeImage::Blank && tree_.at(line).children.empty(), "a stat line of moon " + moonLabel);
        }
        const StatLines moonLines = ReadStatLines(tree_, moon.children);
        const int moonCapacity = moonLines.Value("Capacity").value_or(-1);
        const int moonRaw = moonLines.Value("Raw").value_or(-1);
        CHECK_INVARIANT(texts.size() == 2 && texts[0].rfind("Capacity: ", 0) == 0 && moonStats.count({moonCapacity, moonRaw}) == 1,
               "the lines of moon " + moonLabel + ": " + Joined(texts));
        rows.push_back({moonLabel, "Moon", std::to_string(moonCapacity), "0", "0", "0", std::to_string(moonRaw), "-"});
    }
    return rows;
}

}  // namespace nexmar::invariants
