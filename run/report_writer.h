#pragma once

#include "core/report_files.h"
#include "gen/records.h"

namespace nexmar {

// Turns records into rows of both reports. Each table's columns are described
// once; the text row and the HTML row are both written from that description.

// The Low table spans the whole run: its header, one row per system, its end.
void WriteLowTableStart(ReportFiles& reports);
void WriteLowRow(ReportFiles& reports, int systemNumber, const LowSystem& system);
void WriteLowTableEnd(ReportFiles& reports);

// A Medium or High system's own tables, after its heading.
void WriteMediumTable(ReportFiles& reports, int systemNumber, const MediumSystem& system);
void WriteHighTables(ReportFiles& reports, int systemNumber, const HighSystem& system);

// The row of one object (a High object's followed by its moons' rows).
void WriteMediumObjectRow(ReportFiles& reports, int systemNumber, int slot, const MediumObject& object);
void WriteHighObjectRows(ReportFiles& reports, int systemNumber, char letter, int objectIndex,
                         const HighObject& object);

}  // namespace nexmar
