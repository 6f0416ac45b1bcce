#include "report/report_writer.h"

#include <array>
#include <string>

#include "gen/record_text.h"
#include "report/report_cells.h"
#include "report/report_forms.h"

namespace nexmar {

namespace {

// Low rows: all cells on one line, no colour.
constexpr HtmlRowLayout kOneLineRow{"\t<tr>\n\t\t", "", "", "\n\t</tr>\n"};
// Medium rows: all cells on one line in the zone's colour.
constexpr HtmlRowLayout kOneLineColouredRow{"\t<tr>\n\t\t", "", "", "\t</tr>\n"};
// High rows: one cell a line in the zone's colour.
constexpr HtmlRowLayout kCellPerLineRow{"\t\t<tr>\n", "\t\t\t", "\n", "\t\t</tr>\n"};

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

struct MediumRow {
    std::string_view systemNumber;
    int slot;
    const MediumObject& object;
};

constexpr Column<MediumRow> kMediumColumns[] = {
    {.header = "Object",
     .text =
         [](std::string& out, const MediumRow& r) {
             out.append(r.systemNumber);
             out += '.';
             AppendNumber(out, r.slot);
         },
     .quoteFree = true},
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

// After its label, an object's row depends on its MediumForm alone, and the
// objects of a run take some thousands of forms, a few hundred of them most.
constexpr auto kMediumLabelColumn = std::span(kMediumColumns).first<1>();
constexpr auto kMediumFormColumns = std::span(kMediumColumns).subspan<1>();

struct HighRow {
    std::string_view systemNumber;
    char letter;
    int objectIndex;
    const HighObject& object;
};

void AppendObjectLabel(std::string& out, const HighRow& r)
{
    out.append(r.systemNumber);
    out += r.letter;
    out += '.';
    AppendNumber(out, r.objectIndex + 1);
}

constexpr Column<HighRow> kHighColumns[] = {
    {.header = "Object", .text = AppendObjectLabel, .quoteFree = true},
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

// After its label, an object's row depends on its HighForm alone, and the
// objects of a run take a few thousand such forms.
constexpr auto kHighLabelColumn = std::span(kHighColumns).first<1>();
constexpr auto kHighFormColumns = std::span(kHighColumns).subspan<1>();

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
     .alignRight = true,
     .quoteFree = true},
    {.header = "Type", .text = [](std::string& out, const MoonRow&) { out.append("Moon"); }, .alignRight = true},
    {.header = "Capacity", .number = [](const MoonRow& r) { return r.moon.capacity; }},
    {.header = "Census", .number = [](const MoonRow&) { return 0; }},
    {.header = "Morale", .number = [](const MoonRow&) { return 0; }},
    {.header = "Productivity", .number = [](const MoonRow&) { return 0; }},
    {.header = "RAW", .number = [](const MoonRow& r) { return r.moon.raw; }},
    {.header = "Special", .text = [](std::string& out, const MoonRow&) { out += '-'; }},
};
static_assert(EachCellIsANumberOrAText(kMoonColumns));

// After its label, a moon's row depends on its MoonForm alone: those cells
// are put together once for each such form.
constexpr auto kMoonLabelColumn = std::span(kMoonColumns).first<1>();
constexpr auto kMoonFormColumns = std::span(kMoonColumns).subspan<1>();

void WriteTableStart(ReportSink& reports, const TableHeader& header)
{
    reports.WriteRow([&](std::string& text, std::string& html) {
        html.append(header.html);
        text.append(header.text);
    });
}

void WriteTableEnd(ReportSink& reports)
{
    reports.WriteRow([](std::string& text, std::string& html) {
        html.append("</table>\n");
        text += '\n';
    });
}

std::size_t ZoneIndex(OrbitZone zone)
{
    return static_cast<std::size_t>(zone);
}

// A frame for each zone's colour, by ZoneIndex.
std::array<CellFrame, std::size(kOrbitZones)> ZoneFrames(const HtmlRowLayout& layout)
{
    return {FrameOf(layout, ZoneColour(OrbitZone::Inner)), FrameOf(layout, ZoneColour(OrbitZone::Habitable)),
            FrameOf(layout, ZoneColour(OrbitZone::Outer))};
}

}  // namespace

// Rows take a handful of layouts and colours: each header and frame is put
// together once a run rather than once a row.
struct ReportWriter::Forms {
    TableHeader lowHeader = HeaderOf(kLowColumns);
    TableHeader mediumHeader = HeaderOf(kMediumColumns);
    TableHeader highHeader = HeaderOf(kHighColumns);
    CellFrame lowFrame = FrameOf(kOneLineRow, {});
    std::array<CellFrame, std::size(kOrbitZones)> mediumFrames = ZoneFrames(kOneLineColouredRow);
    std::array<CellFrame, std::size(kOrbitZones)> highFrames = ZoneFrames(kCellPerLineRow);
    RowEnds<LowSystem, LowFormHash> lowEnds;  // with lowFrame
    RowEnds<MediumForm, MediumFormHash, 16384> mediumEnds;  // with mediumFrames
    RowEnds<HighForm, HighFormHash> highEnds;  // with highFrames
    RowEnds<MoonForm, MoonFormHash> moonEnds;  // with highFrames
};

ReportWriter::ReportWriter(ReportSink& reports) : reports_(reports), forms_(std::make_unique<Forms>()) {}

ReportWriter::~ReportWriter() = default;

bool ReportWriter::OpenReports(Notifier& notifier)
{
    if (!reports_.OpenReports()) {
        notifier.Notify(kOpenReportsFailed);
        return false;
    }
    reports_.WriteHtml("<html><body>\n");
    reports_.Flush();
    return true;
}

void ReportWriter::WriteSystemHeading(int systemNumber)
{
    if (!reports_.IsOpen()) {
        return;
    }
    const NumberText number(systemNumber);
    reports_.WriteRow([&](std::string& text, std::string& html) {
        text.append("System ").append(number.View()) += '\n';
        html.append("<p><font size=\"4\">System ").append(number.View()).append("</font>\n");
    });
}

bool ReportWriter::CloseReports(Notifier& notifier)
{
    if (!reports_.IsOpen()) {
        return false;
    }
    reports_.WriteHtml("</body></html>\n");
    if (!reports_.CloseReports()) {
        notifier.Notify(kWriteReportsFailed);
        return false;
    }
    return true;
}

void ReportWriter::WriteLowTableStart()
{
    WriteTableStart(reports_, forms_->lowHeader);
    reports_.Flush();
}

void ReportWriter::WriteLowRow(int systemNumber, const LowSystem& system)
{
    if (!reports_.IsOpen()) {
        return;
    }
    const LowRow row{systemNumber, system};
    const CellFrame& frame = forms_->lowFrame;
    WriteRowWithEnd<LowRow>(reports_, kLowNumberColumn, frame, row,
                            forms_->lowEnds.For<LowRow>(system, kLowRecordColumns, frame, row));
    reports_.Flush();
}

void ReportWriter::WriteLowTableEnd()
{
    // The Low text table has no closing blank line.
    reports_.WriteHtml("</table>\n");
}

void ReportWriter::WriteMediumObjectRow(int systemNumber, int slot, const MediumObject& object)
{
    WriteMediumObjectRow(NumberText(systemNumber).View(), slot, object);
}

void ReportWriter::WriteMediumObjectRow(std::string_view systemNumber, int slot, const MediumObject& object)
{
    const MediumRow row{systemNumber, slot, object};
    const CellFrame& frame = forms_->mediumFrames[ZoneIndex(object.zone)];
    const MediumForm form{object.zone,   object.type, object.value,   object.capacity,
                          object.census, object.raw,  object.special, object.moons};
    WriteRowWithEnd<MediumRow>(reports_, kMediumLabelColumn, frame, row,
                               forms_->mediumEnds.For<MediumRow>(form, kMediumFormColumns, frame, row));
}

void ReportWriter::WriteMediumTable(int systemNumber, const MediumSystem& system)
{
    if (!reports_.IsOpen()) {
        return;
    }
    WriteTableStart(reports_, forms_->mediumHeader);
    const NumberText number(systemNumber);
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        WriteMediumObjectRow(number.View(), ++slot, object);
    }
    WriteTableEnd(reports_);
}

void ReportWriter::WriteHighObjectRows(int systemNumber, char letter, int objectIndex, const HighObject& object)
{
    WriteHighObjectRows(NumberText(systemNumber).View(), letter, objectIndex, object);
}

void ReportWriter::WriteHighObjectRows(std::string_view systemNumber, char letter, int objectIndex,
                                       const HighObject& object)
{
    const HighRow row{systemNumber, letter, objectIndex, object};
    const CellFrame& frame = forms_->highFrames[ZoneIndex(object.zone)];
    const HighForm form{object.zone, object.type, object.capacity, object.census, object.raw,
                        object.special};
    WriteRowWithEnd<HighRow>(reports_, kHighLabelColumn, frame, row,
                             forms_->highEnds.For<HighRow>(form, kHighFormColumns, frame, row));
    int moonIndex = 0;
    for (const HighMoon& moon : object.moons) {
        const MoonRow moonRow{row, moonIndex++, moon};
        const MoonForm moonForm{object.zone, moon.capacity, moon.raw};
        WriteRowWithEnd<MoonRow>(reports_, kMoonLabelColumn, frame, moonRow,
                                 forms_->moonEnds.For<MoonRow>(moonForm, kMoonFormColumns, frame, moonRow));
    }
}

void ReportWriter::WriteHighTables(int systemNumber, const HighSystem& system)
{
    if (!reports_.IsOpen()) {
        return;
    }
    const NumberText number(systemNumber);
    for (const StarComponent& component : system.components) {
        for (const Star& star : component.stars) {
            reports_.WriteRow([&](std::string& text, std::string& html) {
                html.append("<br><font size=\"3\">");
                const std::size_t lineStart = html.size();
                html.append("Star ").append(1, component.letter).append(": ");
                AppendStarDescription(html, star);
                text.append(std::string_view(html).substr(lineStart)) += '\n';
                html.append("</font>\n");
            });
        }
        WriteTableStart(reports_, forms_->highHeader);
        int objectIndex = 0;
        for (const HighObject& object : component.objects) {
            WriteHighObjectRows(number.View(), component.letter, objectIndex++, object);
        }
        WriteTableEnd(reports_);
    }
}

}  // namespace nexmar
