#include "tests/proof/run_invariants.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>

#include "core/format.h"
#include "tests/proof/low_tables.h"
#include "tests/proof/report_reading.h"

namespace nexmar::proof {

namespace {

constexpr std::size_t kMostReported = 20;

class SilentNotifier final : public Notifier {
public:
    void Notify(const std::string& message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::optional<int> Number(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

bool LessIgnoringCase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

// The stat lines of one item: "Label: value" or a bare label.
struct StatLines {
    std::vector<std::pair<std::string, std::optional<int>>> lines;

    std::optional<int> Value(std::string_view label) const
    {
        for (const auto& [text, value] : lines) {
            if (text == label) {
                return value;
            }
        }
        return std::nullopt;
    }
    bool Has(std::string_view label) const
    {
        return std::any_of(lines.begin(), lines.end(), [&](const auto& line) { return line.first == label; });
    }
};

StatLines ReadStatLines(const ResultTree& tree, const std::vector<ItemId>& items)
{
    StatLines stats;
    for (const ItemId item : items) {
        const std::string& text = tree.at(item).text;
        const std::size_t colon = text.rfind(": ");
        const std::optional<int> value =
            colon == std::string::npos ? std::nullopt : Number(std::string_view(text).substr(colon + 2));
        if (value) {
            stats.lines.emplace_back(text.substr(0, colon), value);
        } else {
            stats.lines.emplace_back(text, std::nullopt);
        }
    }
    return stats;
}

class Checker {
public:
    explicit Checker(const RecordedRun& run) : run_(run), tree_(run.tree) {}

    std::vector<std::string> Check()
    {
        const int systems = run_.inputs.systems;
        const bool valid = systems >= kMinSystems && systems <= run_.inputs.maxSystems;
        Expect(run_.outcome.generated == valid, Format("generated is %d for %d systems", run_.outcome.generated, systems));
        if (!valid) {
            Expect(tree_.empty(), "a refused run left items in the tree");
            Expect(run_.calls.empty(), "a refused run rolled dice");
            return found_;
        }
        CheckTreeShape();
        CheckDiceBounds();
        if (systemItems_.size() != static_cast<std::size_t>(systems)) {
            return found_;
        }
        const bool complete = run_.outcome.reportsComplete;
        Expect(complete == run_.notices.empty(), "the run's outcome and its messages disagree");
        if (complete) {
            ReadReports();
        }
        switch (run_.inputs.level) {
        case DetailLevel::Low:
            CheckLow();
            break;
        case DetailLevel::Medium:
        case DetailLevel::High:
            break;
        }
        return found_;
    }

private:
    void Expect(bool ok, std::string what)
    {
        if (!ok && found_.size() < kMostReported) {
            found_.push_back(std::move(what));
        }
    }

    // One root, "System n" items in order, every item's parent and row
    // matching its place, images from the list.
    void CheckTreeShape()
    {
        const auto& top = tree_.Children(kNoItem);
        Expect(top.size() == 1, Format("%zu top-level items", top.size()));
        if (top.size() != 1) {
            return;
        }
        const ItemId root = top[0];
        Expect(tree_.at(root).text == "System Results" && tree_.at(root).image == ImgBlank, "the root item");
        systemItems_ = tree_.Children(root);
        Expect(systemItems_.size() == static_cast<std::size_t>(run_.inputs.systems),
               Format("%zu system items for %d systems", systemItems_.size(), run_.inputs.systems));
        for (std::size_t i = 0; i < systemItems_.size(); ++i) {
            const ResultTree::Item& system = tree_.at(systemItems_[i]);
            Expect(system.text == Format("System %zu", i + 1) && system.image == ImgSystem,
                   "system item " + system.text);
        }
        CheckLinks(kNoItem, top);
    }

    void CheckLinks(ItemId parent, const std::vector<ItemId>& children)
    {
        for (std::size_t row = 0; row < children.size(); ++row) {
            const ResultTree::Item& item = tree_.at(children[row]);
            Expect(item.parent == parent && item.row == static_cast<int>(row),
                   Format("item \"%s\" has parent %d row %d, stands under %d at row %zu", item.text.c_str(),
                          item.parent, item.row, parent, row));
            Expect(item.image >= 0 && item.image < kTreeImageCount, Format("item \"%s\" image %d", item.text.c_str(), item.image));
            CheckLinks(children[row], item.children);
        }
    }

    // Every roll uses one of the bounds the tables are written for.
    void CheckDiceBounds()
    {
        constexpr std::pair<int, int> kBounds[] = {{1, 2}, {1, 3}, {1, 4}, {1, 6}, {1, 10}, {2, 12}};
        for (const auto& call : run_.calls) {
            if (std::find(std::begin(kBounds), std::end(kBounds), call) == std::end(kBounds)) {
                Expect(false, Format("a roll of (%d, %d)", call.first, call.second));
                return;
            }
        }
    }

    void ReadReports()
    {
        csv_ = ReadCsv(run_.text);
        Expect(csv_.error.empty(), "TNXT001 is no valid CSV: " + csv_.error);
        page_ = ReadHtml(run_.html);
        Expect(page_.error.empty(), "TNXH001 does not nest: " + page_.error);
        Expect(run_.html.rfind("<html><body>\n", 0) == 0, "TNXH001 lacks its prologue");
        constexpr std::string_view kEpilogue = "</body></html>\n";
        Expect(run_.html.size() >= kEpilogue.size() &&
                   run_.html.compare(run_.html.size() - kEpilogue.size(), kEpilogue.size(), kEpilogue) == 0,
               "TNXH001 lacks its epilogue");
        reportsRead_ = csv_.error.empty() && page_.error.empty();
    }

    // Stat lines added through the sorted placement stand in alphabetical order.
    void ExpectSorted(const std::vector<ItemId>& items, std::string_view where)
    {
        for (std::size_t i = 1; i < items.size(); ++i) {
            Expect(!LessIgnoringCase(tree_.at(items[i]).text, tree_.at(items[i - 1]).text),
                   Format("\"%s\" before \"%s\" under %.*s", tree_.at(items[i - 1]).text.c_str(),
                          tree_.at(items[i]).text.c_str(), static_cast<int>(where.size()), where.data()));
        }
    }

    void ExpectRowMatches(const std::vector<std::string>& fields, const HtmlRow& cells, const std::vector<std::string>& expected,
                          std::string_view where)
    {
        const std::string place(where);
        Expect(fields == expected, "the text row of " + place + " differs from its tree items");
        std::vector<std::string> texts;
        for (const HtmlCell& cell : cells) {
            texts.push_back(cell.text);
            Expect(!cell.header, "a header cell in a data row of " + place);
        }
        Expect(texts == expected, "the HTML row of " + place + " differs from its tree items");
    }

    void CheckLow();

    const RecordedRun& run_;
    const ResultTree& tree_;
    std::vector<ItemId> systemItems_;
    CsvText csv_;
    HtmlPage page_;
    bool reportsRead_ = false;
    std::vector<std::string> found_;
};

void Checker::CheckLow()
{
    const std::size_t systems = systemItems_.size();
    Expect(run_.calls == DiceCalls(4 * systems, {1, 6}), Format("%zu rolls for %zu Low systems", run_.calls.size(), systems));

    const std::vector<std::string> header{"System", "Size/Importance", "Capacity", "Census", "Morale", "Productivity",
                                          "RAW", "Special"};
    if (reportsRead_) {
        Expect(csv_.records.size() == systems + 1, Format("%zu text records for %zu systems", csv_.records.size(), systems));
        Expect(!csv_.records.empty() && csv_.records[0] == header, "the Low text header");
        Expect(page_.tables.size() == 1, Format("%zu HTML tables at Low detail", page_.tables.size()));
        Expect(page_.headings.empty(), "a heading in a Low-detail page");
        if (!page_.tables.empty()) {
            const auto& rows = page_.tables[0].rows;
            Expect(rows.size() == systems + 1, Format("%zu HTML rows for %zu systems", rows.size(), systems));
            std::vector<std::string> heads;
            for (const HtmlCell& cell : rows.empty() ? HtmlRow{} : rows[0]) {
                heads.push_back(cell.header ? cell.text : "(data cell)");
            }
            Expect(heads == header, "the Low HTML header");
        }
    }
    const bool rowsReadable = reportsRead_ && csv_.records.size() == systems + 1 && page_.tables.size() == 1 &&
                              page_.tables[0].rows.size() == systems + 1;

    for (std::size_t i = 0; i < systems; ++i) {
        const std::string where = Format("System %zu", i + 1);
        const std::vector<ItemId>& items = tree_.at(systemItems_[i]).children;
        ExpectSorted(items, where);
        const bool census = run_.inputs.census;
        Expect(items.size() == (census ? 7u : 4u), Format("%zu items under %s", items.size(), where.c_str()));
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
        Expect(lowClass != nullptr && special != nullptr, "no known base stats or special under " + where);
        if (lowClass == nullptr || special == nullptr) {
            continue;
        }
        Expect(i != 0 || lowClass == &kMajorColony, "the first system is not a Major Colony");
        Expect(special->highest >= 2 + lowClass->modifier && special->lowest <= 12 + lowClass->modifier,
               Format("%s cannot reach \"%s\"", lowClass->text, special->text));

        const int capacity = lowClass->capacity + special->capacity;
        const int raw = lowClass->raw + special->raw;
        const int censusValue = lowClass->census + special->census;
        const int morale = lowClass->morale + special->morale;
        const int productivity = lowClass->productivity + special->productivity;
        Expect(capacity >= 1 && capacity <= 12 && stats.Value("Capacity") == capacity, "Capacity under " + where);
        Expect(raw >= 1 && raw <= 5 && stats.Value("Raw") == raw, "Raw under " + where);
        if (census) {
            Expect(stats.Value("Census") == censusValue && stats.Value("Morale") == morale &&
                       stats.Value("Productivity") == productivity,
                   "census values under " + where);
        } else {
            Expect(!stats.Has("Census") && !stats.Has("Morale") && !stats.Has("Productivity"),
                   "census values without the census option under " + where);
        }

        if (rowsReadable) {
            const auto shown = [&](int value) { return std::to_string(census ? value : 0); };
            ExpectRowMatches(csv_.records[i + 1], page_.tables[0].rows[i + 1],
                             {std::to_string(i + 1), lowClass->text, std::to_string(capacity), shown(censusValue),
                              shown(morale), shown(productivity), std::to_string(raw), special->text},
                             where);
        }
    }
}

}  // namespace

ScratchDir::ScratchDir()
{
    std::error_code error;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "nexmar-proof-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

RecordedRun RecordRun(const RunInputs& inputs, Dice& dice, const std::filesystem::path& directory)
{
    RecordedRun run;
    run.inputs = inputs;
    RecordingDice recording(dice);
    ReportFiles reports(directory);
    SilentNotifier notifier;
    run.outcome = RunGeneration(inputs, recording, run.tree, reports, notifier);
    run.calls = std::move(recording.calls);
    run.notices = std::move(notifier.messages);
    run.text = Slurp(directory / kTextReportName);
    run.html = Slurp(directory / kHtmlReportName);
    return run;
}

std::vector<std::string> CheckRun(const RecordedRun& run)
{
    return Checker(run).Check();
}

}  // namespace nexmar::proof
