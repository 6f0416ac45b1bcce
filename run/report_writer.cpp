#include "run/report_writer.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "run/record_text.h"

namespace nexmar {

namespace {

// One column of a table: its header and how a row's cell is written. A cell
// is either a number, which the text report never needs to quote, or plain
// text, which the writer quotes for the text report; the HTML report frames
// either.
template <class Row>
struct Column {
    std::string_view header;
    int (*number)(const Row& row) = nullptr;
    void (*text)(std::string& out, const Row& row) = nullptr;
    bool alignRight = false;  // HTML only
};

template <class Row, std::size_t N>
constexpr bool EachCellIsANumberOrAText(const Column<Row> (&columns)[N])
{
    return std::all_of(std::begin(columns), std::end(columns),
                       [](const Column<Row>& column) { return (column.number == nullptr) != (column.text == nullptr); });
}

// How a table's HTML rows are laid out.
struct HtmlRowLayout {
    std::string_view open;
    std::string_view cellIndent;
    std::string_view cellEnd;
    std::string_view close;
};

// Low rows: all cells on one line, no colour.
constexpr HtmlRowLayout kOneLineRow{"\t<tr>\n\t\t", "", "", "\n\t</tr>\n"};
// Medium rows: all cells on one line in the zone's colour.
constexpr HtmlRowLayout kOneLineColouredRow{"\t<tr>\n\t\t", "", "", "\t</tr>\n"};
// High rows: one cell a line in the zone's colour.
constexpr HtmlRowLayout kCellPerLineRow{"\t\t<tr>\n", "\t\t\t", "\n", "\t\t</tr>\n"};

void AppendNumber(std::string& out, int value)
{
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    out.append(digits, end);
}

// Font colour of a zone's HTML cells, written after a number sign.
std::string_view ZoneColour(OrbitZone zone)
{
    switch (zone) {
    case OrbitZone::Inner:
        return "FF0000";
    case OrbitZone::Habitable:
        return "009900";
    case OrbitZone::Outer:
        return "0000FF";
    }
    return "000000";
}

struct TableHeader {
    std::string text;
    std::string html;
};

template <class Row, std::size_t N>
TableHeader HeaderOf(const Column<Row> (&columns)[N])
{
    TableHeader header{{}, "<table cellpadding=\"1\" border=\"1\">\n\t"};
    for (const Column<Row>& column : columns) {
        if (!header.text.empty()) {
            header.text += ',';
        }
        header.text += column.header;
        header.html.append("<th>").append(column.header).append("</th>");
    }
    header.text += '\n';
    header.html += '\n';
    return header;
}

// Each kind of row has one table of columns, so its header is put together once.
template <class Row, std::size_t N>
void WriteTableStart(ReportFiles& reports, const Column<Row> (&columns)[N])
{
    static const TableHeader header = HeaderOf(columns);
    reports.WriteHtml(header.html);
    reports.WriteText(header.text);
}

// What surrounds each cell of a row with one layout and one font colour.
struct CellFrame {
    const HtmlRowLayout* layout;
    std::string colour;
    std::string open[2];  // by alignRight
    std::string close;
};

// Rows take a handful of layouts and colours, so each frame is put together
// once per run rather than once per row.
const CellFrame& FrameOf(const HtmlRowLayout& layout, std::string_view colour)
{
    thread_local std::vector<CellFrame> frames;
    for (const CellFrame& frame : frames) {
        if (frame.layout == &layout && frame.colour == colour) {
            return frame;
        }
    }
    CellFrame& frame = frames.emplace_back(CellFrame{&layout, std::string(colour), {}, {}});
    frame.open[false].assign(layout.cellIndent).append("<td>");
    frame.open[true].assign(layout.cellIndent).append("<td align=\"right\">");
    if (!colour.empty()) {
        for (std::string& open : frame.open) {
            open.append("<font color=\"#").append(colour).append("\">");
        }
        frame.close.assign("</font>");
    }
    frame.close.append("</td>").append(layout.cellEnd);
    return frame;
}

// Appends the cells of columns, each framed for the HTML report and after a
// comma in the text report, unless it opens the row.
template <class Row>
void AppendCells(std::span<const Column<Row>> columns, bool opensRow, const CellFrame& frame, const Row& row,
                 std::string& text, std::string& html)
{
    for (const Column<Row>& column : columns) {
        if (!opensRow || &column != columns.data()) {
            text += ',';
        }
        html.append(frame.open[column.alignRight]);
        if (column.number) {
            char digits[16];
            const auto end = std::to_chars(std::begin(digits), std::end(digits), column.number(row)).ptr;
            html.append(digits, end);
            text.append(digits, end);
        } else {
            // The cell is written into the HTML row and copied from there.
            const std::size_t cellStart = html.size();
            column.text(html, row);
            AppendCsvField(text, std::string_view(html).substr(cellStart));
        }
        html.append(frame.close);
    }
}

// colour empty: cells without a font colour.
template <class Row, std::size_t N>
void WriteRow(ReportFiles& reports, const Column<Row> (&columns)[N], const HtmlRowLayout& layout,
              std::string_view colour, const Row& row)
{
    const CellFrame& frame = FrameOf(layout, colour);
    reports.WriteRow([&](std::string& text, std::string& html) {
        html.append(layout.open);
        AppendCells<Row>(columns, true, frame, row, text, html);
        text += '\n';
        html.append(layout.close);
    });
}

// Without the census option the census columns carry 0.
int CensusOf(const std::optional<CensusValues>& census)
{
    return census ? census->census : 0;
}
int MoraleOf(const std::optional<CensusValues>& census)
{
    return census ? census->morale : 0;
}
int ProductivityOf(const std::optional<CensusValues>& census)
{
    return census ? census->productivity : 0;
}

struct LowRow {
    int systemNumber;
    const LowSystem& system;
};

// The System column comes first and is the only one that reads the number.
constexpr Column<LowRow> kLowColumns[] = {
    {.header = "System", .number = [](const LowRow& r) { return r.systemNumber; }},
    {.header = "Size/Importance",
     .text =
         [](std::string& out, const LowRow& r) {
             out.append(LowSizeClassName(r.system.sizeClass)).append("/").append(ImportanceName(r.system.importance));
         }},
    {.header = "Capacity", .number = [](const LowRow& r) { return r.system.capacity; }},
    {.header = "Census", .number = [](const LowRow& r) { return CensusOf(r.system.census); }},
    {.header = "Morale", .number = [](const LowRow& r) { return MoraleOf(r.system.census); }},
    {.header = "Productivity", .number = [](const LowRow& r) { return ProductivityOf(r.system.census); }},
    {.header = "RAW", .number = [](const LowRow& r) { return r.system.raw; }},
    {.header = "Special", .text = [](std::string& out, const LowRow& r) { out.append(r.system.special); }},
};
static_assert(EachCellIsANumberOrAText(kLowColumns));

// A Low row is its system's number followed by cells that depend on the
// record alone, and the records of a run take a few dozen forms: the cells of
// each form are put together once and copied after each number. That is most
// of what a batch run of a million Low systems would otherwise spend.
constexpr auto kLowNumberColumn = std::span(kLowColumns).first<1>();
constexpr auto kLowRecordColumns = std::span(kLowColumns).subspan<1>();

class LowRowEnds {
public:
    struct End {
        std::string text;
        std::string html;
    };

    const End& For(const LowRow& row, const CellFrame& frame)
    {
        if (const auto found = ends_.find(row.system); found != ends_.end()) {
            return found->second;
        }
        // Records read from a file may take many more forms; past this many
        // they are put together row by row.
        constexpr std::size_t kMaxForms = 1024;
        End* end = &uncached_;
        if (ends_.size() < kMaxForms) {
            // The key keeps its own copy of the special text: a record's
            // text may live no longer than the record.
            LowSystem key = row.system;
            key.special = *texts_.emplace(row.system.special).first;
            end = &ends_[key];
        }
        end->text.clear();
        end->html.clear();
        AppendCells<LowRow>(kLowRecordColumns, false, frame, row, end->text, end->html);
        end->text += '\n';
        end->html.append(kOneLineRow.close);
        return *end;
    }

private:
    struct Hash {
        std::size_t operator()(const LowSystem& system) const
        {
            std::size_t hash = std::hash<std::string_view>()(system.special);
            const CensusValues census = system.census.value_or(CensusValues{-1, -1, -1});
            for (const int field : {static_cast<int>(system.sizeClass), static_cast<int>(system.importance),
                                    system.capacity, system.raw, census.census, census.morale, census.productivity}) {
                hash = hash * 31 + static_cast<std::size_t>(field);
            }
            return hash;
        }
    };

    std::unordered_set<std::string> texts_;
    std::unordered_map<LowSystem, End, Hash> ends_;
    End uncached_;
};

struct MediumRow {
    int systemNumber;
    int slot;
    const MediumObject& object;
};

constexpr Column<MediumRow> kMediumColumns[] = {
    {.header = "Object",
     .text =
         [](std::string& out, const MediumRow& r) {
             AppendNumber(out, r.systemNumber);
             out += '.';
             AppendNumber(out, r.slot);
         }},
    {.header = "Type",
     .text = [](std::string& out, const MediumRow& r) { out.append(MediumObjectTypeName(r.object.type)); }},
    {.header = "Value", .text = [](std::string& out, const MediumRow& r) { out.append(ValueText(r.object.value)); }},
    {.header = "Capacity", .number = [](const MediumRow& r) { return r.object.capacity; }},
    {.header = "Census", .number = [](const MediumRow& r) { return CensusOf(r.object.census); }},
    {.header = "Morale", .number = [](const MediumRow& r) { return MoraleOf(r.object.census); }},
    {.header = "Productivity", .number = [](const MediumRow& r) { return ProductivityOf(r.object.census); }},
    {.header = "RAW", .number = [](const MediumRow& r) { return r.object.raw; }},
    {.header = "Special", .text = [](std::string& out, const MediumRow& r) { out.append(r.object.special); }},
    {.header = "Moons",
     .text = [](std::string& out, const MediumRow& r) { AppendMediumMoonsText(out, r.object); }},
};
static_assert(EachCellIsANumberOrAText(kMediumColumns));

struct HighRow {
    int systemNumber;
    char letter;
    int objectIndex;
    const HighObject& object;
};

void AppendObjectLabel(std::string& out, const HighRow& r)
{
    AppendNumber(out, r.systemNumber);
    out += r.letter;
    out += '.';
    AppendNumber(out, r.objectIndex + 1);
}

constexpr Column<HighRow> kHighColumns[] = {
    {.header = "Object", .text = AppendObjectLabel},
    {.header = "Type",
     .text = [](std::string& out, const HighRow& r) { out.append(HighObjectTypeName(r.object.type)); }},
    {.header = "Capacity", .number = [](const HighRow& r) { return r.object.capacity; }},
    {.header = "Census", .number = [](const HighRow& r) { return CensusOf(r.object.census); }},
    {.header = "Morale", .number = [](const HighRow& r) { return MoraleOf(r.object.census); }},
    {.header = "Productivity", .number = [](const HighRow& r) { return ProductivityOf(r.object.census); }},
    {.header = "RAW", .number = [](const HighRow& r) { return r.object.raw; }},
    {.header = "Special", .text = [](std::string& out, const HighRow& r) { out.append(r.object.special); }},
};
static_assert(EachCellIsANumberOrAText(kHighColumns));

struct MoonRow {
    HighRow object;
    int moonIndex;
    const HighMoon& moon;
};

// A moon's row sits in its object's table under the same header. It has no
// census values and no special, whatever the census option.
constexpr Column<MoonRow> kMoonColumns[] = {
    {.header = "Object",
     .text =
         [](std::string& out, const MoonRow& r) {
             AppendObjectLabel(out, r.object);
             out += '.';
             AppendNumber(out, r.moonIndex + 1);
         },
     .alignRight = true},
    {.header = "Type", .text = [](std::string& out, const MoonRow&) { out.append("Moon"); }, .alignRight = true},
    {.header = "Capacity", .number = [](const MoonRow& r) { return r.moon.capacity; }},
    {.header = "Census", .number = [](const MoonRow&) { return 0; }},
    {.header = "Morale", .number = [](const MoonRow&) { return 0; }},
    {.header = "Productivity", .number = [](const MoonRow&) { return 0; }},
    {.header = "RAW", .number = [](const MoonRow& r) { return r.moon.raw; }},
    {.header = "Special", .text = [](std::string& out, const MoonRow&) { out += '-'; }},
};
static_assert(EachCellIsANumberOrAText(kMoonColumns));

void WriteTableEnd(ReportFiles& reports)
{
    reports.WriteHtml("</table>\n");
    reports.WriteText("\n");
}

}  // namespace

void WriteLowTableStart(ReportFiles& reports)
{
    WriteTableStart(reports, kLowColumns);
    reports.Flush();
}

void WriteLowRow(ReportFiles& reports, int systemNumber, const LowSystem& system)
{
    if (!reports.IsOpen()) {
        return;
    }
    thread_local LowRowEnds ends;
    const CellFrame& frame = FrameOf(kOneLineRow, {});
    const LowRow row{systemNumber, system};
    const LowRowEnds::End& end = ends.For(row, frame);
    reports.WriteRow([&](std::string& text, std::string& html) {
        html.append(kOneLineRow.open);
        AppendCells<LowRow>(kLowNumberColumn, true, frame, row, text, html);
        text.append(end.text);
        html.append(end.html);
    });
    reports.Flush();
}

void WriteLowTableEnd(ReportFiles& reports)
{
    // The Low text table has no closing blank line.
    reports.WriteHtml("</table>\n");
}

void WriteMediumObjectRow(ReportFiles& reports, int systemNumber, int slot, const MediumObject& object)
{
    WriteRow(reports, kMediumColumns, kOneLineColouredRow, ZoneColour(object.zone),
             MediumRow{systemNumber, slot, object});
}

void WriteMediumTable(ReportFiles& reports, int systemNumber, const MediumSystem& system)
{
    if (!reports.IsOpen()) {
        return;
    }
    WriteTableStart(reports, kMediumColumns);
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        WriteMediumObjectRow(reports, systemNumber, ++slot, object);
    }
    WriteTableEnd(reports);
}

void WriteHighObjectRows(ReportFiles& reports, int systemNumber, char letter, int objectIndex,
                         const HighObject& object)
{
    const HighRow row{systemNumber, letter, objectIndex, object};
    const std::string_view colour = ZoneColour(object.zone);
    WriteRow(reports, kHighColumns, kCellPerLineRow, colour, row);
    int moonIndex = 0;
    for (const HighMoon& moon : object.moons) {
        WriteRow(reports, kMoonColumns, kCellPerLineRow, colour, MoonRow{row, moonIndex++, moon});
    }
}

void WriteHighTables(ReportFiles& reports, int systemNumber, const HighSystem& system)
{
    if (!reports.IsOpen()) {
        return;
    }
    for (const StarComponent& component : system.components) {
        for (const Star& star : component.stars) {
            std::string line = "Star ";
            line.append(1, component.letter).append(": ");
            AppendStarDescription(line, star);
            reports.WriteHtml("<br><font size=\"3\">");
            reports.WriteHtml(line);
            reports.WriteHtml("</font>\n");
            reports.WriteText(line);
            reports.WriteText("\n");
        }
        WriteTableStart(reports, kHighColumns);
        int objectIndex = 0;
        for (const HighObject& object : component.objects) {
            WriteHighObjectRows(reports, systemNumber, component.letter, objectIndex++, object);
        }
        WriteTableEnd(reports);
    }
}

}  // namespace nexmar
