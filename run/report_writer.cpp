#include "run/report_writer.h"

#include <charconv>
#include <iterator>
#include <string>

#include "run/record_text.h"

namespace nexmar {

namespace {

// One column of a table: its header and how a row's cell is written. A cell
// is plain text; the writer quotes it for the text report and frames it for
// the HTML report.
template <class Row>
struct Column {
    std::string_view header;
    void (*cell)(std::string& out, const Row& row);
    bool alignRight = false;  // HTML only
};

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

// What surrounds a row's cells, kept from row to row so that a run of
// millions of rows allocates it once.
struct CellFrame {
    std::string open[2];  // by alignRight
    std::string close;
};

// colour empty: cells without a font colour.
template <class Row, std::size_t N>
void WriteRow(ReportFiles& reports, const Column<Row> (&columns)[N], const HtmlRowLayout& layout,
              std::string_view colour, const Row& row)
{
    thread_local CellFrame frame;
    std::string(&cellOpen)[2] = frame.open;
    std::string& cellClose = frame.close;
    // What surrounds every cell of the row, put together once per row.
    cellOpen[false].assign(layout.cellIndent).append("<td>");
    cellOpen[true].assign(layout.cellIndent).append("<td align=\"right\">");
    cellClose.clear();
    if (!colour.empty()) {
        for (std::string& open : cellOpen) {
            open.append("<font color=\"#").append(colour).append("\">");
        }
        cellClose.assign("</font>");
    }
    cellClose.append("</td>").append(layout.cellEnd);

    reports.WriteRow([&](std::string& text, std::string& html) {
        html.append(layout.open);
        for (const Column<Row>& column : columns) {
            // The cell is written into the HTML row and copied from there.
            html.append(cellOpen[column.alignRight]);
            const std::size_t cellStart = html.size();
            column.cell(html, row);
            if (&column != columns) {
                text += ',';
            }
            AppendCsvField(text, std::string_view(html).substr(cellStart));
            html.append(cellClose);
        }
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

constexpr Column<LowRow> kLowColumns[] = {
    {"System", [](std::string& out, const LowRow& r) { AppendNumber(out, r.systemNumber); }},
    {"Size/Importance",
     [](std::string& out, const LowRow& r) {
         out.append(LowSizeClassName(r.system.sizeClass)).append("/").append(ImportanceName(r.system.importance));
     }},
    {"Capacity", [](std::string& out, const LowRow& r) { AppendNumber(out, r.system.capacity); }},
    {"Census", [](std::string& out, const LowRow& r) { AppendNumber(out, CensusOf(r.system.census)); }},
    {"Morale", [](std::string& out, const LowRow& r) { AppendNumber(out, MoraleOf(r.system.census)); }},
    {"Productivity", [](std::string& out, const LowRow& r) { AppendNumber(out, ProductivityOf(r.system.census)); }},
    {"RAW", [](std::string& out, const LowRow& r) { AppendNumber(out, r.system.raw); }},
    {"Special", [](std::string& out, const LowRow& r) { out.append(r.system.special); }},
};

struct MediumRow {
    int systemNumber;
    int slot;
    const MediumObject& object;
};

constexpr Column<MediumRow> kMediumColumns[] = {
    {"Object",
     [](std::string& out, const MediumRow& r) {
         AppendNumber(out, r.systemNumber);
         out += '.';
         AppendNumber(out, r.slot);
     }},
    {"Type", [](std::string& out, const MediumRow& r) { out.append(MediumObjectTypeName(r.object.type)); }},
    {"Value", [](std::string& out, const MediumRow& r) { out.append(ValueText(r.object.value)); }},
    {"Capacity", [](std::string& out, const MediumRow& r) { AppendNumber(out, r.object.capacity); }},
    {"Census", [](std::string& out, const MediumRow& r) { AppendNumber(out, CensusOf(r.object.census)); }},
    {"Morale", [](std::string& out, const MediumRow& r) { AppendNumber(out, MoraleOf(r.object.census)); }},
    {"Productivity",
     [](std::string& out, const MediumRow& r) { AppendNumber(out, ProductivityOf(r.object.census)); }},
    {"RAW", [](std::string& out, const MediumRow& r) { AppendNumber(out, r.object.raw); }},
    {"Special", [](std::string& out, const MediumRow& r) { out.append(r.object.special); }},
    {"Moons", [](std::string& out, const MediumRow& r) { AppendMediumMoonsText(out, r.object); }},
};

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
    {"Object", AppendObjectLabel},
    {"Type", [](std::string& out, const HighRow& r) { out.append(HighObjectTypeName(r.object.type)); }},
    {"Capacity", [](std::string& out, const HighRow& r) { AppendNumber(out, r.object.capacity); }},
    {"Census", [](std::string& out, const HighRow& r) { AppendNumber(out, CensusOf(r.object.census)); }},
    {"Morale", [](std::string& out, const HighRow& r) { AppendNumber(out, MoraleOf(r.object.census)); }},
    {"Productivity", [](std::string& out, const HighRow& r) { AppendNumber(out, ProductivityOf(r.object.census)); }},
    {"RAW", [](std::string& out, const HighRow& r) { AppendNumber(out, r.object.raw); }},
    {"Special", [](std::string& out, const HighRow& r) { out.append(r.object.special); }},
};

struct MoonRow {
    HighRow object;
    int moonIndex;
    const HighMoon& moon;
};

// A moon's row sits in its object's table under the same header. It has no
// census values and no special, whatever the census option.
constexpr Column<MoonRow> kMoonColumns[] = {
    {"Object",
     [](std::string& out, const MoonRow& r) {
         AppendObjectLabel(out, r.object);
         out += '.';
         AppendNumber(out, r.moonIndex + 1);
     },
     true},
    {"Type", [](std::string& out, const MoonRow&) { out.append("Moon"); }, true},
    {"Capacity", [](std::string& out, const MoonRow& r) { AppendNumber(out, r.moon.capacity); }},
    {"Census", [](std::string& out, const MoonRow&) { out += '0'; }},
    {"Morale", [](std::string& out, const MoonRow&) { out += '0'; }},
    {"Productivity", [](std::string& out, const MoonRow&) { out += '0'; }},
    {"RAW", [](std::string& out, const MoonRow& r) { AppendNumber(out, r.moon.raw); }},
    {"Special", [](std::string& out, const MoonRow&) { out += '-'; }},
};

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
    WriteRow(reports, kLowColumns, kOneLineRow, {}, LowRow{systemNumber, system});
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
