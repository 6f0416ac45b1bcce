#include "invariants/run_invariants.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <iterator>

#include "core/format.h"
#include "invariants/checker.h"
#include "support/scratch.h"

namespace nexmar::invariants {

std::optional<int> Number(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

int ZoneOfImage(TreeImage image)
{
    switch (image) {
    case TreeImage::RedObject:
        return 1;
    case TreeImage::GreenObject:
        return 2;
    case TreeImage::BlueObject:
        return 3;
    default:
        return 0;
    }
}

std::string ZoneFontColour(int zone)
{
    constexpr const char* kColours[] = {"#000000", "#FF0000", "#009900", "#0000FF"};
    return kColours[zone >= 1 && zone <= 3 ? zone : 0];
}

std::vector<std::string> Split(std::string_view text, std::string_view separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + separator.size();
    }
}

bool LessIgnoringCase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

std::string Joined(const std::vector<std::string>& fields)
{
    std::string text;
    for (const std::string& field : fields) {
        text += (text.empty() ? "[" : "|") + field;
    }
    return text + "]";
}

std::optional<int> StatLines::Value(std::string_view label) const
{
    for (const auto& [text, value] : lines) {
        if (text == label && value) {
            return value;
        }
    }
    return std::nullopt;
}

bool StatLines::Has(std::string_view label) const
{
    return std::any_of(lines.begin(), lines.end(), [&](const auto& line) { return line.first == label; });
}

std::optional<std::string> StatLines::Bare(std::string_view prefix) const
{
    std::optional<std::string> found;
    for (const auto& [text, value] : lines) {
        if (!value && text.compare(0, prefix.size(), prefix) == 0) {
            if (found) {
                return std::nullopt;
            }
            found = text;
        }
    }
    return found;
}

std::pair<std::string, std::string> StatLines::BaseStats() const
{
    constexpr std::string_view kPrefix = "Base stats: ";
    const std::string base = Bare(kPrefix).value_or("Base stats: ?/?");
    const std::size_t slash = base.rfind('/');
    return {base.substr(kPrefix.size(), slash - kPrefix.size()), base.substr(slash + 1)};
}

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

std::vector<std::string> Checker::Check()
{
    const int systems = run_.inputs.settings.systems;
    const bool valid = (systems >= kMinSystems || run_.filtered) && systems <= run_.inputs.maxSystems;
    if (!valid) {
        CHECK_INVARIANT(tree_.empty(), "a refused run left items in the tree");
        CHECK_INVARIANT(run_.calls.empty(), "a refused run rolled dice");
        return found_;
    }
    CheckTreeShape();
    CheckDiceBounds();
    if (systemItems_.size() != static_cast<std::size_t>(systems)) {
        return found_;
    }
    const bool complete = run_.outcome.reportsComplete;
    CHECK_INVARIANT(complete == run_.notices.empty(), "the run's outcome and its messages disagree");
    if (complete) {
        ReadReports();
    }
    switch (run_.inputs.settings.level) {
    case DetailLevel::Low:
        CheckLow();
        break;
    case DetailLevel::Medium:
        CheckMedium();
        break;
    case DetailLevel::High:
        CheckHigh();
        break;
    }
    return found_;
}

// One root, "System n" items in order, every item's parent and row matching
// its place, images from the list.
void Checker::CheckTreeShape()
{
    const auto& top = tree_.Children(kNoItem);
    CHECK_INVARIANT(top.size() == 1, Format("%zu top-level items", top.size()));
    if (top.size() != 1) {
        return;
    }
    const ItemId root = top[0];
    CHECK_INVARIANT(tree_.at(root).text == "System Results" && tree_.at(root).image == TreeImage::Blank, "the root item");
    systemItems_ = tree_.Children(root);
    CHECK_INVARIANT(systemItems_.size() == static_cast<std::size_t>(run_.inputs.settings.systems),
           Format("%zu system items for %d systems", systemItems_.size(), run_.inputs.settings.systems));
    for (std::size_t i = 0; i < systemItems_.size(); ++i) {
        const ResultTree::Item& system = tree_.at(systemItems_[i]);
        CHECK_INVARIANT(system.text == Format("System %d", SystemNumber(i)) && system.image == TreeImage::System, "system item " + system.text);
    }
    CheckLinks(kNoItem, top);
}

void Checker::CheckLinks(ItemId parent, const std::vector<ItemId>& children)
{
    for (std::size_t row = 0; row < children.size(); ++row) {
        const ResultTree::Item& item = tree_.at(children[row]);
        CHECK_INVARIANT(item.parent == parent && item.row == static_cast<int>(row),
               Format("item \"%s\" has parent %d row %d, stands under %d at row %zu", item.text.c_str(), item.parent,
                      item.row, parent, row));
        CHECK_INVARIANT(ImageIndex(item.image) >= 0 && ImageIndex(item.image) < kTreeImageCount,
               Format("item \"%s\" image %d", item.text.c_str(), ImageIndex(item.image)));
        CheckLinks(children[row], item.children);
    }
}

// Every roll uses one of the bounds that the level's tables are written for.
void Checker::CheckDiceBounds()
{
    using Bounds = std::vector<std::pair<int, int>>;
    const Bounds low{{1, 6}};
    const Bounds medium{{1, 2}, {1, 3}, {1, 4}, {1, 6}, {2, 12}};
    const Bounds high{{1, 4}, {1, 6}, {1, 10}};
    const Bounds& allowed = run_.inputs.settings.level == DetailLevel::Low      ? low
                            : run_.inputs.settings.level == DetailLevel::Medium ? medium
                                                                       : high;
    for (const auto& call : run_.calls) {
        if (std::find(allowed.begin(), allowed.end(), call) == allowed.end()) {
            Fail(Format("a roll of (%d, %d)", call.first, call.second));
            return;
        }
    }
}

void Checker::ReadReports()
{
    csv_ = ReadCsv(run_.text);
    CHECK_INVARIANT(csv_.error.empty(), "TNXT001 is no valid CSV: " + csv_.error);
    page_ = ReadHtml(run_.html);
    CHECK_INVARIANT(page_.error.empty(), "TNXH001 does not nest: " + page_.error);
    CHECK_INVARIANT(run_.html.rfind("<html><body>\n", 0) == 0, "TNXH001 lacks its prologue");
    constexpr std::string_view kEpilogue = "</body></html>\n";
    CHECK_INVARIANT(run_.html.size() >= kEpilogue.size() &&
               run_.html.compare(run_.html.size() - kEpilogue.size(), kEpilogue.size(), kEpilogue) == 0,
           "TNXH001 lacks its epilogue");
    reportsRead_ = csv_.error.empty() && page_.error.empty();
}

// Stat lines added through the sorted placement stand in alphabetical order.
void Checker::ExpectSorted(const std::vector<ItemId>& items, std::string_view where)
{
    for (std::size_t i = 1; i < items.size(); ++i) {
        CHECK_INVARIANT(!LessIgnoringCase(tree_.at(items[i]).text, tree_.at(items[i - 1]).text),
               Format("\"%s\" before \"%s\" under %.*s", tree_.at(items[i - 1]).text.c_str(),
                      tree_.at(items[i]).text.c_str(), static_cast<int>(where.size()), where.data()));
    }
}

void Checker::ExpectRowMatches(const std::vector<std::string>& fields, const HtmlRow& cells,
                               const std::vector<std::string>& expected, std::string_view where)
{
    const std::string place(where);
    CHECK_INVARIANT(fields == expected, "the text row of " + place + " differs from its tree items: " + Joined(fields) +
                                   " against " + Joined(expected));
    std::vector<std::string> texts;
    for (const HtmlCell& cell : cells) {
        texts.push_back(cell.text);
        CHECK_INVARIANT(!cell.header, "a header cell in a data row of " + place);
    }
    CHECK_INVARIANT(texts == expected, "the HTML row of " + place + " differs from its tree items: " + Joined(texts) +
                                  " against " + Joined(expected));
}

// Every text row has the fields of the header above it, every HTML row the
// cells of its table's header, and both reports hold what the tree holds,
// in the tree's order.
void Checker::CompareReports(const ExpectedReports& expected)
{
    if (!reportsRead_) {
        return;
    }
    std::size_t width = 0;
    for (std::size_t i = 0; i < csv_.records.size(); ++i) {
        const std::vector<std::string>& record = csv_.records[i];
        if (!record.empty() && record[0] == "Object") {
            width = record.size();
        } else if (record.size() == 1 && record[0].empty()) {
            width = 0;
        } else if (width != 0) {
            CHECK_INVARIANT(record.size() == width, Format("text line %zu has %zu fields under a header of %zu", i + 1,
                                                  record.size(), width));
        }
    }
    CHECK_INVARIANT(csv_.records.size() == expected.records.size(),
           Format("%zu text lines, the tree gives %zu", csv_.records.size(), expected.records.size()));
    for (std::size_t i = 0; i < std::min(csv_.records.size(), expected.records.size()); ++i) {
        if (csv_.records[i] != expected.records[i]) {
            Fail(Format("text line %zu is %s, the tree gives %s", i + 1, Joined(csv_.records[i]).c_str(),
                                 Joined(expected.records[i]).c_str()));
            break;
        }
    }

    CHECK_INVARIANT(page_.headings == expected.headings, "the HTML headings and star lines differ from the tree's");
    CHECK_INVARIANT(page_.tables.size() == expected.tables.size(),
           Format("%zu HTML tables, the tree gives %zu", page_.tables.size(), expected.tables.size()));
    for (std::size_t t = 0; t < std::min(page_.tables.size(), expected.tables.size()); ++t) {
        const auto& rows = page_.tables[t].rows;
        const ExpectedTable& want = expected.tables[t];
        std::vector<std::string> header;
        for (const HtmlCell& cell : rows.empty() ? HtmlRow{} : rows[0]) {
            header.push_back(cell.header ? cell.text : "(data cell)");
        }
        CHECK_INVARIANT(header == want.header, Format("the header of HTML table %zu", t + 1));
        CHECK_INVARIANT(rows.size() == want.rows.size() + 1,
               Format("HTML table %zu has %zu rows, the tree gives %zu", t + 1, rows.size(), want.rows.size() + 1));
        for (std::size_t r = 1; r < std::min(rows.size(), want.rows.size() + 1); ++r) {
            CHECK_INVARIANT(rows[r].size() == header.size(),
                   Format("HTML table %zu row %zu has %zu cells under %zu headers", t + 1, r, rows[r].size(), header.size()));
            std::vector<std::string> texts;
            bool coloured = true;
            for (const HtmlCell& cell : rows[r]) {
                texts.push_back(cell.header ? "(header cell)" : cell.text);
                coloured = coloured && cell.colour == want.rows[r - 1].second;
            }
            CHECK_INVARIANT(texts == want.rows[r - 1].first, Format("HTML table %zu row %zu is %s, the tree gives %s", t + 1, r,
                                                           Joined(texts).c_str(), Joined(want.rows[r - 1].first).c_str()));
            CHECK_INVARIANT(coloured, Format("HTML table %zu row %zu is not all in %s", t + 1, r, want.rows[r - 1].second.c_str()));
        }
    }
}

RecordedRun RecordRun(const RunInputs& inputs, Dice& dice, const std::filesystem::path& directory)
{
    RecordedRun run;
    run.inputs = inputs;
    RecordingDice recording(dice);
    ReportFiles reports(directory);
    testing::RecordingNotifier notifier;
    run.outcome = RunGeneration(inputs, recording, run.tree, reports, notifier);
    run.calls = std::move(recording.calls);
    run.notices = std::move(notifier.messages);
    run.text = testing::ReadFile(directory / kTextReportName);
    run.html = testing::ReadFile(directory / kHtmlReportName);
    return run;
}

RecordedRun RecordLoadedRun(const LoadedRun& loaded, const std::filesystem::path& directory)
{
    RecordedRun run;
    run.inputs = {{loaded.summary.settings.systems, loaded.summary.settings.level, loaded.summary.settings.census}};
    run.rolled = false;
    run.filtered = loaded.summary.settings.systemsRolled > 0;
    if (run.filtered) {
        run.numbers = loaded.numbers;
    }
    ReportFiles reports(directory);
    testing::RecordingNotifier notifier;
    run.outcome = RenderLoadedRun(loaded, run.tree, reports, notifier);
    run.notices = std::move(notifier.messages);
    run.text = testing::ReadFile(directory / kTextReportName);
    run.html = testing::ReadFile(directory / kHtmlReportName);
    return run;
}

std::vector<std::string> CheckRun(const RecordedRun& run)
{
    return Checker(run).Check();
}

}  // namespace nexmar::invariants
