#pragma once

#include "core/notifier.h"
#include "core/report_sink.h"
#include "gen/run_output.h"
#include "report/report_writer.h"

namespace nexmar {

// Both reports of a run as one of its outputs: opened at the start, each
// system's rows as it comes, closed at the end. A failure is told to the
// notifier, and the reports stay closed for the rest of the run.
class ReportOutput final : public RunOutput {
public:
    ReportOutput(ReportSink& reports, Notifier& notifier);

    void Begin(const RunSettings& settings) override;
    void Add(int number, const SystemRecord& system) override;
    // Whether both reports opened and were written in full.
    bool Finish() override;

private:
    ReportSink& reports_;
    ReportWriter writer_;
    Notifier& notifier_;
    DetailLevel level_ = DetailLevel::Low;
};

}  // namespace nexmar
