#include <algorithm>

#include "core/format.h"
#include "invariants/checker.h"
#include "invariants/medium_tables.h"

namespace nexmar::invariants {

void Checker::CheckMedium()
{
    ExpectedReports expected;
    // The dice the tree accounts for: two d6 per layout, one d6 per type,
    // a flat Roll(2, 12) per value class, two d6 per special roll, one d6 per
    // asteroid belt's RAW, two d6 per moon.
    std::size_t d6 = 0;
    std::size_t flat = 0;
    const std::vector<std::string> header{"Object",       "Type", "Value", "Capacity", "Census", "Morale",
                                          "Productivity", "RAW",  "Special", "Moons"};
    for (std::size_t i = 0; i < systemItems_.size(); ++i) {
        const std::string system = Format("System %d", SystemNumber(i));
        expected.records.push_back({system});
        expected.headings.push_back(system);
        expected.records.push_back(header);
        ExpectedTable table{header, {}};

        const std::vector<ItemId>& objects = tree_.at(systemItems_[i]).children;
        CHECK_INVARIANT(!objects.empty() && objects.size() <= 10, Format("%zu objects in %s", objects.size(), system.c_str()));
        int zoneCounts[4] = {};
        d6 += 2;
        int lastZone = 1;
        for (std::size_t k = 0; k < objects.size(); ++k) {
            const std::string label = Format("%d.%zu", SystemNumber(i), k + 1);
            const ResultTree::Item& object = tree_.at(objects[k]);
            CHECK_INVARIANT(object.text == "Object " + label, "\"" + object.text + "\" where Object " + label + " belongs");
            const int zone = ZoneOfImage(object.image);
            CHECK_INVARIANT(zone != 0, Format("object %s has image %d", label.c_str(), ImageIndex(object.image)));
            if (zone == 0) {
                continue;
            }
            CHECK_INVARIANT(zone >= lastZone, "zones out of order at object " + label);
            lastZone = zone;
            ++zoneCounts[zone];
            const std::vector<std::string> row = CheckMediumObject(objects[k], zone, label);
            if (row.size() == header.size()) {
                const bool valued = row[2] != "N/A";
                flat += valued ? 1 : 0;
                d6 += 1 + (valued ? 2 : 0) + (row[1] == "Asteroid Belt" ? 1 : 0) +
                      2 * static_cast<std::size_t>(Number(row[9].substr(0, row[9].find(':'))).value_or(0));
            }
            table.rows.emplace_back(row, ZoneFontColour(zone));
            expected.records.push_back(row);
        }
        if (!objects.empty() && objects.size() <= 10) {
            const MediumLayout& layout = kMediumLayouts[objects.size()];
            CHECK_INVARIANT(zoneCounts[1] == layout.inner && zoneCounts[2] == layout.habitable && zoneCounts[3] == layout.outer,
                   Format("%s lays out %d/%d/%d objects by zone, no layout of %zu objects does", system.c_str(),
                          zoneCounts[1], zoneCounts[2], zoneCounts[3], objects.size()));
        }
        expected.records.push_back({""});
        expected.tables.push_back(table);
    }
    const auto rolls = [&](std::pair<int, int> bounds) {
        return static_cast<std::size_t>(std::count(run_.calls.begin(), run_.calls.end(), bounds));
    };
    CHECK_INVARIANT(!run_.rolled || (rolls({1, 6}) == d6 && rolls({2, 12}) == flat),
                 Format("%zu d6 and %zu flat rolls, the tree accounts for %zu and %zu", rolls({1, 6}), rolls({2, 12}), d6,
                        flat));
    CompareReports(expected);
}

// Checks one object against the tables and returns the report row its tree items call for.
std::vector<std::string> Checker::CheckMediumObject(ItemId objectItem, int zone, const std::string& label)
{
    const std::string where = "object " + label;
    const bool census = run_.inputs.settings.census;
    const std::vector<ItemId>& items = tree_.at(objectItem).children;
    ExpectSorted(items, where);
    CHECK_INVARIANT(items.size() == (census ? 8u : 5u), Format("%zu lines under %s", items.size(), where.c_str()));
    std::string moonsText;
    for (const ItemId item : items) {
        CHECK_INVARIANT(tree_.at(item).image == TreeImage::Blank && tree_.at(item).children.empty(), "a stat line of " + where);
        if (tree_.at(item).text.rfind("Moons: ", 0) == 0) {
            moonsText = tree_.at(item).text.substr(7);
        }
    }
    const StatLines stats = ReadStatLines(tree_, items);
    const auto [value, type] = stats.BaseStats();
    const std::string special = stats.Bare("Special: ").value_or("?");

    // The rows of the zone's table that could have given this type and value.
    int fewestMoons = 99;
    int mostMoons = -1;
    int code = -1;
    for (const MediumType& row : kMediumTypes[zone - 1]) {
        const bool valued = row.code >= 1 && row.code <= 3;
        if (row.name == type && valued == (value != "N/A")) {
            fewestMoons = std::min(fewestMoons, row.fewestMoons);
            mostMoons = std::max(mostMoons, row.mostMoons);
            code = row.code;
        }
    }
    CHECK_INVARIANT(code >= 0, Format("%s is a %s of value %s, which zone %d never gives", where.c_str(), type.c_str(),
                             value.c_str(), zone));
    if (code < 0) {
        return {};
    }

    int capacity = 0;
    int raw = 0;
    if (code >= 1 && code <= 3) {
        bool reachable = false;
        for (const int index : kMediumValueByRoll[code - 1]) {
            if (kMediumValues[index].name == value) {
                reachable = true;
                capacity = kMediumValues[index].capacity;
                raw = kMediumValues[index].raw;
            }
        }
        CHECK_INVARIANT(reachable, where + ": a " + type + " never has value " + value);
        bool specialReachable = special == "Special: None";
        for (const MediumSpecial& row : kMediumSpecials) {
            if (row.text == special) {
                specialReachable = row.total >= 2 - code && row.total <= 12 - code;
                capacity += row.capacity;
                raw += row.raw;
            }
        }
        CHECK_INVARIANT(specialReachable, where + ": a " + type + " of code " + std::to_string(code) + " never has " + special);
    } else {
        CHECK_INVARIANT(special == "Special: None", where + ": no special roll, yet " + special);
    }

    // "0", or the count, ": " and each moon's text, separated by "; ".
    const std::size_t colon = moonsText.find(": ");
    const std::optional<int> moons = Number(moonsText.substr(0, colon));
    const std::vector<std::string> moonTexts =
        colon == std::string::npos ? std::vector<std::string>{} : Split(moonsText.substr(colon + 2), "; ");
    CHECK_INVARIANT(moons && *moons == static_cast<int>(moonTexts.size()) && *moons >= fewestMoons && *moons <= mostMoons,
           Format("%s, a %s in zone %d, has moons \"%s\"", where.c_str(), type.c_str(), zone, moonsText.c_str()));
    for (const std::string& moon : moonTexts) {
        const auto row = std::find_if(std::begin(kMediumMoons), std::end(kMediumMoons),
                                      [&](const MediumMoon& m) { return moon == m.text; });
        CHECK_INVARIANT(row != std::end(kMediumMoons), where + " has a moon \"" + moon + "\"");
        if (row != std::end(kMediumMoons)) {
            capacity += row->capacity;
            raw += row->raw;
        }
    }
    capacity = std::max(capacity, 1);
    raw = std::max(raw, 1);
    CHECK_INVARIANT(stats.Value("Capacity") == capacity && stats.Value("Raw") == raw,
           Format("%s shows Capacity %d and RAW %d, its tables give %d and %d", where.c_str(),
                  stats.Value("Capacity").value_or(-1), stats.Value("Raw").value_or(-1), capacity, raw));

    const int censusValue = capacity / 2;
    const int morale = std::max(censusValue - 1, 1);
    if (census) {
        CHECK_INVARIANT(stats.Value("Census") == censusValue && stats.Value("Morale") == morale &&
                   stats.Value("Productivity") == morale,
               "the census values of " + where);
    }
    const auto shown = [&](int v) { return std::to_string(census ? v : 0); };
    return {label,           type,          value,         std::to_string(capacity), shown(censusValue),
            shown(morale),   shown(morale), std::to_string(raw), special, moonsText};
}

}  // namespace nexmar::invariants
