#pragma once

#include <memory>
#include <string_view>

#include "core/notifier.h"
#include "core/report_sink.h"
#include "gen/records.h"

namespace nexmar {

// What the user is told when the reports fail.
inline constexpr const char* kOpenReportsFailed =
    "Unable to open temporary files for output\nProgram will be unable to save results to file.";
inline constexpr const char* kWriteReportsFailed =
    "Unable to write temporary files\nProgram will be unable to save results to file.";

// Turns one run's records into rows of both reports. Each table's columns are
// described once; the text row and the HTML row are both written from that
// description; the HTML page is framed around them. What it puts together once for the run (headers, cell frames,
// the Low rows' recurring cells) lives and dies with it.
class ReportWriter {
public:
    explicit ReportWriter(ReportSink& reports);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // Opens the reports and begins the HTML page; a failure is told to the
    // notifier, and the reports stay closed for the rest of the run.
    bool OpenReports(Notifier& notifier);
    void WriteSystemHeading(int systemNumber);
    // Ends the HTML page and closes the reports. Whether both are complete;
    // a write error anywhere in the run is told to the notifier.
    bool CloseReports(Notifier& notifier);

    // The Low table spans the whole run: its header, one row per system, its end.
    void WriteLowTableStart();
    void WriteLowRow(int systemNumber, const LowSystem& system);
    void WriteLowTableEnd();

    // A Medium or High system's own tables, after its heading.
    void WriteMediumTable(int systemNumber, const MediumSystem& system);
    void WriteHighTables(int systemNumber, const HighSystem& system);

    // The row of one object (a High object's followed by its moons' rows).
    void WriteMediumObjectRow(int systemNumber, int slot, const MediumObject& object);
    void WriteHighObjectRows(int systemNumber, char letter, int objectIndex, const HighObject& object);

private:
    struct Forms;

    // The same rows, after the system's number, put together once per system.
    void WriteMediumObjectRow(std::string_view systemNumber, int slot, const MediumObject& object);
    void WriteHighObjectRows(std::string_view systemNumber, char letter, int objectIndex, const HighObject& object);

    ReportSink& reports_;
    std::unique_ptr<Forms> forms_;
};

}  // namespace nexmar
