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

// Each table's first column is a label, which reads the row's place (its
// system's number, its slot); the columns after it take only the form the
// row cache keeps their cells by, so a column can read no field that the
// form leaves out.

struct LowRow {
    int systemNumber;
};

constexpr Column<LowRow> kLowNumberColumn[] = {
    {.header = "System", .number = [](const LowRow& r) { return r.systemNumber; }},
};

// A Low row is its system's number followed by cells that depend on the
// record alone, and the records of a run take a few dozen forms: the cells of
// each form are put together once and copied after each number. That is most
// of what a batch run of a million Low systems would otherwise spend.
constexpr Column<LowSystem> kLowRecordColumns[] = {
    {.header = "Size/Importance",
     .text =
         [](std::string& out, const LowSystem& s) {
             out.append(LowSizeClassName(s.sizeClass)).append("/").append(ImportanceName(s.importance));
         }},
    {.header = "Capacity", .number = [](const LowSystem& s) { return s.capacity; }},
    {.header = "Census", .number = [](const LowSystem& s) { return CensusOf(s.census); }},
    {.header = "Morale", .number = [](const LowSystem& s) { return MoraleOf(s.census); }},
    {.header = "Productivity", .number = [](const LowSystem& s) { return ProductivityOf(s.census); }},
    {.header = "RAW", .number = [](const LowSystem& s) { return s.raw; }},
    {.header = "Special", .text = [](std::string& out, const LowSystem& s) { out.append(s.special); }},
};
static_assert(EachCellIsANumberOrAText(kLowNumberColumn) && EachCellIsANumberOrAText(kLowRecordColumns));

struct MediumRow {
    std::string_view systemNumber;
    int slot;
};

constexpr Column<MediumRow> kMediumLabelColumn[] = {
    {.header = "Object",
     .text =
         [](std::string& out, const MediumRow& r) {
             out.append(r.systemNumber);
             out += '.';
             AppendNumber(out, r.slot);
         },
     .quoteFree = true},
};

// After its label, an object's row depends on its MediumForm alone, and the
// objects of a run take some thousands of forms, a few hundred of them most.
constexpr Column<MediumForm> kMediumFormColumns[] = {
    {.header = "Type", .text = [](std::string& out, const MediumForm& f) { out.append(MediumObjectTypeName(f.type)); }},
    {.header = "Value", .text = [](std::string& out, const MediumForm& f) { out.append(ValueText(f.value)); }},
    {.header = "Capacity", .number = [](const MediumForm& f) { return f.capacity; }},
    {.header = "Census", .number = [](const MediumForm& f) { return CensusOf(f.census); }},
    {.header = "Morale", .number = [](const MediumForm& f) { return MoraleOf(f.census); }},
    {.header = "Productivity", .number = [](const MediumForm& f) { return ProductivityOf(f.census); }},
    {.header = "RAW", .number = [](const MediumForm& f) { return f.raw; }},
    {.header = "Special", .text = [](std::string& out, const MediumForm& f) { out.append(f.special); }},
    {.header = "Moons", .text = [](std::string& out, const MediumForm& f) { AppendMediumMoonsText(out, f.moons); }},
};
static_assert(EachCellIsANumberOrAText(kMediumLabelColumn) && EachCellIsANumberOrAText(kMediumFormColumns));

struct HighRow {
    std::string_view systemNumber;
    char letter;
    int objectIndex;
};

void AppendObjectLabel(std::string& out, const HighRow& r)
{
    out.append(r.systemNumber);
    out += r.letter;
    out += '.';
    AppendNumber(out, r.objectIndex + 1);
}

constexpr Column<HighRow> kHighLabelColumn[] = {
    {.header = "Object", .text = AppendObjectLabel, .quoteFree = true},
};

// After its label, an object's row depends on its HighForm alone, and the
// objects of a run take a few thousand such forms.
constexpr Column<HighForm> kHighFormColumns[] = {
    {.header = "Type", .text = [](std::string& out, const HighForm& f) { out.append(HighObjectTypeName(f.type)); }},
    {.header = "Capacity", .number = [](const HighForm& f) { return f.capacity; }},
    {.header = "Census", .number = [](const HighForm& f) { return CensusOf(f.census); }},
    {.header = "Morale", .number = [](const HighForm& f) { return MoraleOf(f.census); }},
    {.header = "Productivity", .number = [](const HighForm& f) { return ProductivityOf(f.census); }},
    {.header = "RAW", .number = [](const HighForm& f) { return f.raw; }},
    {.header = "Special", .text = [](std::string& out, const HighForm& f) { out.append(f.special); }},
};
static_assert(EachCellIsANumberOrAText(kHighLabelColumn) && EachCellIsANumberOrAText(kHighFormColumns));

struct MoonRow {
    HighRow object;
    int moonIndex;
};

// A moon's row sits in its object's table under the same header. It has no
// census values and no special, whatever the census option.
constexpr Column<MoonRow> kMoonLabelColumn[] = {
    {.header = "Object",
     .text =
         [](std::string& out, const MoonRow& r) {
             AppendObjectLabel(out, r.object);
             out += '.';
             AppendNumber(out, r.moonIndex + 1);
         },
     .alignRight = true,
     .quoteFree = true},
};

// After its label, a moon's row depends on its MoonForm alone: those cells
// are put together once for each such form.
constexpr Column<MoonForm> kMoonFormColumns[] = {
    {.header = "Type", .text = [](std::string& out, const MoonForm&) { out.append("Moon"); }, .alignRight = true},
    {.header = "Capacity", .number = [](const MoonForm& f) { return f.capacity; }},
    {.header = "Census", .number = [](const MoonForm&) { return 0; }},
    {.header = "Morale", .number = [](const MoonForm&) { return 0; }},
    {.header = "Productivity", .number = [](const MoonForm&) { return 0; }},
    {.header = "RAW", .number = [](const MoonForm& f) { return f.raw; }},
    {.header = "Special", .text = [](std::string& out, const MoonForm&) { out += '-'; }},
};
static_assert(EachCellIsANumberOrAText(kMoonLabelColumn) && EachCellIsANumberOrAText(kMoonFormColumns));

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
    TableHeader lowHeader = HeaderOf(kLowNumberColumn, kLowRecordColumns);
    TableHeader mediumHeader = HeaderOf(kMediumLabelColumn, kMediumFormColumns);
    TableHeader highHeader = HeaderOf(kHighLabelColumn, kHighFormColumns);
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
    const CellFrame& frame = forms_->lowFrame;
    WriteRowWithEnd<LowRow>(reports_, kLowNumberColumn, frame, LowRow{systemNumber},
                            forms_->lowEnds.For(system, kLowRecordColumns, frame));
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
    const CellFrame& frame = forms_->mediumFrames[ZoneIndex(object.zone)];
    const MediumForm form{object.zone,   object.type, object.value,   object.capacity,
                          object.census, object.raw,  object.special, object.moons};
    WriteRowWithEnd<MediumRow>(reports_, kMediumLabelColumn, frame, MediumRow{systemNumber, slot},
                               forms_->mediumEnds.For(form, kMediumFormColumns, frame));
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
    const HighRow row{systemNumber, letter, objectIndex};
    const CellFrame& frame = forms_->highFrames[ZoneIndex(object.zone)];
    const HighForm form{object.zone, object.type, object.capacity, object.census, object.raw,
                        object.special};
    WriteRowWithEnd<HighRow>(reports_, kHighLabelColumn, frame, row,
                             forms_->highEnds.For(form, kHighFormColumns, frame));
    int moonIndex = 0;
    for (const HighMoon& moon : object.moons) {
        const MoonForm moonForm{object.zone, moon.capacity, moon.raw};
        WriteRowWithEnd<MoonRow>(reports_, kMoonLabelColumn, frame, MoonRow{row, moonIndex++},
                                 forms_->moonEnds.For(moonForm, kMoonFormColumns, frame));
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
