#include "report/report_output.h"

#include <variant>

namespace nexmar {

ReportOutput::ReportOutput(ReportSink& reports, Notifier& notifier)
    : reports_(reports), writer_(reports), notifier_(notifier)
{
}

void ReportOutput::Begin(const RunSettings& settings)
{
    level_ = settings.level;
    writer_.OpenReports(notifier_);
    // The Low table spans the whole run; a Medium or High system has tables of its own.
    if (level_ == DetailLevel::Low) {
        writer_.WriteLowTableStart();
    }
}

void ReportOutput::Add(int number, const SystemRecord& system)
{
    if (const auto* low = std::get_if<LowSystem>(&system)) {
        writer_.WriteLowRow(number, *low);
        return;
    }
    writer_.WriteSystemHeading(number);
    if (const auto* medium = std::get_if<MediumSystem>(&system)) {
        writer_.WriteMediumTable(number, *medium);
    } else {
        writer_.WriteHighTables(number, std::get<HighSystem>(system));
    }
}

bool ReportOutput::Finish()
{
    if (level_ == DetailLevel::Low) {
        writer_.WriteLowTableEnd();
    }
    return reports_.IsOpen() && writer_.CloseReports(notifier_);
}

}  // namespace nexmar
