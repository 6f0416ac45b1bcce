#include "app/panes/system_text.h"

#include "model/note_target.h"
#include "model/run_records.h"
#include "app/document/run_session.h"
#include "report/report_output.h"

namespace nexmar {

namespace {

// Reports in memory never fail: nothing to tell.
class SilentNotifier final : public Notifier {
public:
    void Notify(const std::string&) override {}
};

// The report writers write the system's rows into memory, so the rows come
// from the same code, byte for byte, as the run's report.
std::string WriteTextRows(int number, const SystemRecord& record)
{
    SilentNotifier notifier;
    ReportStrings reports;
    ReportOutput output(reports, notifier);
    output.Begin({.level = LevelOf(record)});
    output.Add(number, record);
    output.Finish();
    return reports.Text();
}

}  // namespace

std::optional<std::string> SystemReportText(const RunSession& session, ItemId item)
{
    if (!session.HasRun() || item == kNoItem) {
        return std::nullopt;
    }
    const std::optional<std::size_t> place = SystemPlaceOf(*session.Tree(), item);
    if (!place) {
        return std::nullopt;
    }
    const RunRecords& records = session.Records();
    if (*place >= records.size()) {
        return std::nullopt;
    }
    std::string text = WriteTextRows(records.NumberAt(*place), records.At(*place));
    // After the rows, what the referee made of the system, as plain text.
    text.append("Name: ").append(records.Edits().Name(records.NumberAt(*place))).append("\n");
    for (const SystemNote& note : SystemNotes(records, *place)) {
        text.append(note.about.empty() ? "Notes" : "Notes on " + note.about).append(":\n");
        text.append(note.text).append("\n");
    }
    return text;
}

}  // namespace nexmar
