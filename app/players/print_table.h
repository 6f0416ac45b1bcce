#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/note_target.h"
#include "model/run_records.h"

namespace nexmar {

// What a printed page shows of systems, as text in columns, without any
// widget or font: every value the tree shows, one body a row.

struct PrintColumn {
    std::string heading;
    // A column of long texts (specials, moons): its cells wrap onto more
    // lines when the page is too narrow for them, every other cell stays on one.
    bool wraps = false;
};

struct PrintRow {
    // One a column; a row with fewer cells lets its last cell take the room
    // of the columns it lacks (a star's description).
    std::vector<std::string> cells;
    bool firstOfGroup = false;  // begins a component: a rule above it
};

struct PrintTable {
    std::vector<PrintColumn> columns;
    std::vector<PrintRow> rows;
};

// A Medium or High system: its stars, objects and moons, a body a row,
// with the census columns when the run has census values.
PrintTable SystemTable(int number, const SystemRecord& record);

// The columns of the table of Low systems, a system a row.
std::vector<PrintColumn> LowColumns(bool census);
// Its first cell names the system: "System 3", or with a name "System 3: Vessa Reach".
PrintRow LowRow(int number, const LowSystem& system, bool census, std::string_view name = {});

// The notes on the system at place and on its objects, each a row of one
// cell across the table ("Notes on Object 3.2: ..."), the first with a rule
// above it; none without notes. kind: the referee's notes, or in a handout
// those written for the players.
std::vector<PrintRow> NoteRows(const RunRecords& records, std::size_t place, NoteKind kind = NoteKind::Referee);

// Whether the record holds census values.
bool HasCensus(const SystemRecord& record);

}  // namespace nexmar
