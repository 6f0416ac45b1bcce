#include "app/printing/run_printer.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "app/printing/page_composer.h"
#include "gen/names/sector_edits.h"
#include "model/run_records.h"
#include "players/player_table.h"
#include "players/print_table.h"

namespace nexmar {

namespace {

// What the players may see of the system at place, in a handout; none in
// the referee's print.
std::optional<PlayerSystem> PlayerOf(const RunRecords& records, const PrintRequest& request, std::size_t place)
{
    if (request.players == nullptr) {
        return std::nullopt;
    }
    return PlayerSystemOf(*request.players, records.NumberAt(place));
}

// Whether the system at place is printed: a handout leaves out a secret one.
bool Printed(const RunRecords& records, const PrintRequest& request, std::size_t place)
{
    return request.players == nullptr || PlayerSystemOf(*request.players, records.NumberAt(place)).has_value();
}

bool IsLowRun(const RunRecords& records)
{
    return records.size() > 0 && std::holds_alternative<LowSystem>(records.At(0));
}

// Lays out or paints every system of request; false once step says stop.
bool Compose(PageComposer& composer, const RunRecords& records, const PrintRequest& request,
             const std::function<bool(int done)>& step)
{
    if (IsLowRun(records)) {
        const bool census = !request.places.empty() && HasCensus(records.At(request.places.front()));
        std::vector<PrintRow> rows;
        const std::vector<PrintColumn> columns = LowColumns(census);
        for (const std::size_t place : request.places) {
            if (!Printed(records, request, place)) {
                continue;
            }
            const std::optional<PlayerSystem> player = PlayerOf(records, request, place);
            const int number = records.NumberAt(place);
            const std::string name = player ? player->name : records.Edits().Name(number);
            rows.push_back(LowRow(number, std::get<LowSystem>(records.At(place)), census, name));
            rows.back().cells.front() = HandoutTitle(rows.back().cells.front(), player);
            if (player) {
                HideCells(columns, rows.back(), player->hidden);
            }
            for (PrintRow& note : NoteRows(records, place, player ? NoteKind::Players : NoteKind::Referee)) {
                rows.push_back(std::move(note));
            }
        }
        bool going = true;
        composer.LowTable(columns, rows,
                          [&](std::size_t done) { return going = step(static_cast<int>(done)); });
        return going;
    }
    int done = 0;
    for (const std::size_t place : request.places) {
        if (Printed(records, request, place)) {
            composer.System(records, place, PlayerOf(records, request, place));
        }
        if (!step(++done)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool PrintSystems(QPagedPaintDevice& device, const RunRecords& records, const PrintRequest& request,
                  const std::function<bool(int done)>& step)
{
    PageComposer counting(device, nullptr, request, 0);
    // Laying out is quick beside painting: it tells no progress, only heeds a stop.
    if (!Compose(counting, records, request, [&step](int) { return step(0); })) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PageComposer composer(device, &painter, request, counting.Pages());
    if (!Compose(composer, records, request, step)) {
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
            printer->abort();
        }
        painter.end();
        return false;
    }
    return painter.end();
}

namespace {

constexpr int kPaperResolution = 600;

QPageLayout PaperLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

}  // namespace

void UsePaper(QPrinter& printer)
{
    printer.setPageLayout(PaperLayout());
    printer.setResolution(kPaperResolution);
}

void UsePaper(QPdfWriter& pdf)
{
    pdf.setPageLayout(PaperLayout());
    pdf.setResolution(kPaperResolution);
}

}  // namespace nexmar
