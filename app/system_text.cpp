#include "app/system_text.h"

#include <QTemporaryDir>

#include <fstream>
#include <iterator>
#include <sstream>

#include "model/run_records.h"
#include "app/run_session.h"
#include "report/report_writer.h"

namespace nexmar {

namespace {

// Drops what the writers report: the reports are a scratch pair.
class SilentNotifier final : public Notifier {
public:
    void Notify(const std::string&) override {}
};

// The report writers write into a scratch pair of reports, so the rows come
// from the same code, byte for byte, as the run's report. Nothing when the
// scratch reports cannot be written.
std::optional<std::string> WriteTextRows(int number, const SystemRecord& record)
{
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return std::nullopt;
    }
    const std::filesystem::path folder = scratch.path().toStdString();
    SilentNotifier notifier;
    {
        ReportFiles reports(folder);
        ReportWriter writer(reports);
        if (!writer.OpenReports(notifier)) {
            return std::nullopt;
        }
        if (const auto* low = std::get_if<const LowSystem*>(&record)) {
            writer.WriteLowTableStart();
            writer.WriteLowRow(number, **low);
            writer.WriteLowTableEnd();
        } else if (const auto* medium = std::get_if<const MediumSystem*>(&record)) {
            writer.WriteSystemHeading(number);
            writer.WriteMediumTable(number, **medium);
        } else {
            writer.WriteSystemHeading(number);
            writer.WriteHighTables(number, *std::get<const HighSystem*>(record));
        }
        if (!writer.CloseReports(notifier)) {
            return std::nullopt;
        }
    }
    std::ifstream text(folder / kTextReportName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(text), std::istreambuf_iterator<char>());
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
    return WriteTextRows(records.NumberAt(*place), records.At(*place));
}

}  // namespace nexmar
