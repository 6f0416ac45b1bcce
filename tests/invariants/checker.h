#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "invariants/report_reading.h"
#include "invariants/run_invariants.h"

namespace nexmar::invariants {

std::optional<int> Number(std::string_view text);
// The zone an object item's image shows: 1 Inner, 2 Habitable, 3 Outer, 0 none.
int ZoneOfImage(TreeImage image);
// The font colour of a zone's report cells, with its number sign.
std::string ZoneFontColour(int zone);
// The parts of text between separators.
std::vector<std::string> Split(std::string_view text, std::string_view separator);
bool LessIgnoringCase(std::string_view a, std::string_view b);
std::string Joined(const std::vector<std::string>& fields);

// The stat lines of one item: "Label: value" or a bare label.
struct StatLines {
    std::vector<std::pair<std::string, std::optional<int>>> lines;

    std::optional<int> Value(std::string_view label) const;
    bool Has(std::string_view label) const;
    // The one bare line that begins with prefix, or nullopt.
    std::optional<std::string> Bare(std::string_view prefix) const;
    // The two names of the line "Base stats: first/second", parted at its
    // last slash; "?" for each where there is no such line.
    std::pair<std::string, std::string> BaseStats() const;
};
StatLines ReadStatLines(const ResultTree& tree, const std::vector<ItemId>& items);

// What the reports must hold, built from the tree, for the levels whose
// systems are headed paragraphs followed by tables.
struct ExpectedTable {
    std::vector<std::string> header;
    std::vector<std::pair<std::vector<std::string>, std::string>> rows;  // cells and their colour
};
struct ExpectedReports {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> headings;
    std::vector<ExpectedTable> tables;
};

// Builds the description of a broken invariant only when it is broken:
// thousands of runs check millions of them.
#define CHECK_INVARIANT(ok, what) \
    do {                       \
        if (!(ok)) {           \
            Fail(what);        \
        }                      \
    } while (false)

class Checker {
public:
    explicit Checker(const RecordedRun& run) : run_(run), tree_(run.tree) {}
    std::vector<std::string> Check();

private:
    void Fail(std::string what)
    {
        if (found_.size() < 20) {
            found_.push_back(std::move(what));
        }
    }
    void CheckTreeShape();
    void CheckLinks(ItemId parent, const std::vector<ItemId>& children);
    void CheckDiceBounds();
    void ReadReports();
    void ExpectSorted(const std::vector<ItemId>& items, std::string_view where);
    void ExpectRowMatches(const std::vector<std::string>& fields, const HtmlRow& cells,
                          const std::vector<std::string>& expected, std::string_view where);
    void CompareReports(const ExpectedReports& expected);

    // The number of the system at index, in the tree and in the reports.
    int SystemNumber(std::size_t index) const
    {
        return run_.numbers.empty() ? static_cast<int>(index) + 1 : run_.numbers[index];
    }
    void CheckLow();
    void CheckMedium();
    std::vector<std::string> CheckMediumObject(ItemId object, int zone, const std::string& label);
    void CheckHigh();
    std::vector<std::vector<std::string>> CheckHighObject(ItemId object, int zone, const std::string& label);

    const RecordedRun& run_;
    const ResultTree& tree_;
    std::vector<ItemId> systemItems_;
    CsvText csv_;
    HtmlPage page_;
    bool reportsRead_ = false;
    std::vector<std::string> found_;
};

}  // namespace nexmar::invariants
