#pragma once

#include <memory>

#include "core/report_files.h"
#include "gen/records.h"

namespace nexmar {

// Turns one run's records into rows of both reports. Each table's columns are
// described once; the text row and the HTML row are both written from that
// description. What it puts together once for the run (headers, cell frames,
// the Low rows' recurring cells) lives and dies with it.
class ReportWriter {
public:
    explicit ReportWriter(ReportFiles& reports);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

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

    ReportFiles& reports_;
    std::unique_ptr<Forms> forms_;
};

}  // namespace nexmar
