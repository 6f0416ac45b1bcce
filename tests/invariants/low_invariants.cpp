#include "core/format.h"
#include "invariants/checker.h"
#include "invariants/low_tables.h"

namespace nexmar::invariants {

void Checker::CheckLow()
{
    const std::size_t systems = systemItems_.size();
    CHECK_INVARIANT(!run_.rolled || run_.calls == DiceCalls(4 * systems, {1, 6}), Format("%zu rolls for %zu Low systems", run_.calls.size(), systems));

    const std::vector<std::string> header{"System", "Size/Importance", "Capacity", "Census", "Morale", "Productivity",
                                          "RAW", "Special"};
    if (reportsRead_) {
        CHECK_INVARIANT(csv_.records.size() == systems + 1, Format("%zu text records for %zu systems", csv_.records.size(), systems));
        CHECK_INVARIANT(!csv_.records.empty() && csv_.records[0] == header, "the Low text header");
        CHECK_INVARIANT(page_.tables.size() == 1, Format("%zu HTML tables at Low detail", page_.tables.size()));
        CHECK_INVARIANT(page_.headings.empty(), "a heading in a Low-detail page");
        if (!page_.tables.empty()) {
            const auto& rows = page_.tables[0].rows;
            CHECK_INVARIANT(rows.size() == systems + 1, Format("%zu HTML rows for %zu systems", rows.size(), systems));
            std::vector<std::string> heads;
            for (const HtmlCell& cell : rows.empty() ? HtmlRow{} : rows[0]) {
                heads.push_back(cell.header ? cell.text : "(data cell)");
            }
            CHECK_INVARIANT(heads == header, "the Low HTML header");
        }
    }
    const bool rowsReadable = reportsRead_ && csv_.records.size() == systems + 1 && page_.tables.size() == 1 &&
                              page_.tables[0].rows.size() == systems + 1;

    for (std::size_t i = 0; i < systems; ++i) {
        const std::string where = Format("System %d", SystemNumber(i));
        const std::vector<ItemId>& items = tree_.at(systemItems_[i]).children;
        ExpectSorted(items, where);
        const bool census = run_.inputs.settings.census;
        CHECK_INVARIANT(items.size() == (census ? 7u : 4u), Format("%zu items under %s", items.size(), where.c_str()));
        const StatLines stats = ReadStatLines(tree_, items);

        const LowClass* lowClass = nullptr;
        const LowSpecial* special = nullptr;
        for (const auto& [text, value] : stats.lines) {
            for (const LowClass& row : kLowClasses) {
                lowClass = text == std::string("Base stats: ") + row.text ? &row : lowClass;
            }
            for (const LowSpecial& row : kLowSpecials) {
                special = text == row.text ? &row : special;
            }
        }
        CHECK_INVARIANT(lowClass != nullptr && special != nullptr, "no known base stats or special under " + where);
        if (lowClass == nullptr || special == nullptr) {
            continue;
        }
        CHECK_INVARIANT(SystemNumber(i) != 1 || lowClass == &kMajorColony, "System 1 is not a Major Colony");
        CHECK_INVARIANT(special->highest >= 2 + lowClass->modifier && special->lowest <= 12 + lowClass->modifier,
               Format("%s cannot reach \"%s\"", lowClass->text, special->text));

        const int capacity = lowClass->capacity + special->capacity;
        const int raw = lowClass->raw + special->raw;
        const int censusValue = lowClass->census + special->census;
        const int morale = lowClass->morale + special->morale;
        const int productivity = lowClass->productivity + special->productivity;
        CHECK_INVARIANT(capacity >= 1 && capacity <= 12 && stats.Value("Capacity") == capacity, "Capacity under " + where);
        CHECK_INVARIANT(raw >= 1 && raw <= 5 && stats.Value("Raw") == raw, "Raw under " + where);
        if (census) {
            CHECK_INVARIANT(stats.Value("Census") == censusValue && stats.Value("Morale") == morale &&
                       stats.Value("Productivity") == productivity,
                   "census values under " + where);
        } else {
            CHECK_INVARIANT(!stats.Has("Census") && !stats.Has("Morale") && !stats.Has("Productivity"),
                   "census values without the census option under " + where);
        }

        if (rowsReadable) {
            const auto shown = [&](int value) { return std::to_string(census ? value : 0); };
            ExpectRowMatches(csv_.records[i + 1], page_.tables[0].rows[i + 1],
                             {std::to_string(SystemNumber(i)), lowClass->text, std::to_string(capacity), shown(censusValue),
                              shown(morale), shown(productivity), std::to_string(raw), special->text},
                             where);
        }
    }
}

}  // namespace nexmar::invariants
