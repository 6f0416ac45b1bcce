#pragma once

#include <istream>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "gen/run_output.h"
#include "json/json_export.h"
#include "json/json_read_error.h"
#include "json/private/json_parser.h"

namespace nexmar {

// What a document says of its run besides the systems.
struct JsonRunSummary {
    std::string program;  // that wrote it
    std::string version;  // of the program that wrote it
    int format = 0;       // of the document
    // Its count is of the systems in the document, known once they are read.
    RunSettings settings;
    // The map's density, jump range and routes drawn by hand (of a document
    // before format 3, the defaults), and the systems the referee moved,
    // known once every system is read.
    SectorMapEdits map;
    std::vector<std::pair<int, HexPlace>> moves;
    // One line on how the document was read that its reader should hear:
    // of an earlier format, where its systems were placed. Empty when none.
    std::string notice;
    // The highest number a system of the document may have.
    int LastNumber() const { return settings.systemsRolled > 0 ? settings.systemsRolled : settings.systems; }
    // Whether other's head says what this one's does: the same program and
    // settings, the count of systems apart.
    bool SameHead(const JsonRunSummary& other) const;
};

// Reads a document written by JsonExport, checking every field against what
// the tables can produce, and hands each system's record to records.Add as soon
// as it is read and checked. The format version is checked before anything
// else, and "format", "detail" and "census" must come before "systems", as
// the export writes them, so that the systems can be read as they arrive;
// so must "systemsRolled", which only a filtered run's document has: its
// systems are numbered as they were in the run, rising within that count.
// No member follows "systems": a reading that renders each system as it
// arrives, under the head read before it, accepts what this one accepts.
// Memory stays that of one system whatever the document's size, and a
// system's own size is bounded. The records
// handed out before an error belong to a document that turned out bad: a
// caller that shows them reads the document twice, or keeps them until the
// end.
//
// What the referee made of each system (its name, its notes, the seed it
// was rolled again from) goes into edits, when given, before the system's
// record goes to the observer, which may Forget it once done with it; edits
// name the run's systems as its seed does. A system said to be rolled again
// from a seed must be the one that seed rolls. Names and notes are checked
// as NameFault and NoteFault say, and the notes of a whole document are
// bounded.
//
// From format 3 on each system's hex must be one of the map its count and
// the head's density give, no two alike; the systems moved away from where
// the seed places them go into edits once every system is read (a reader
// that renders as it goes takes them from a first reading's summary). An
// earlier document's systems lie where the seed places them at Standard
// density, which the summary's notice says.
std::optional<JsonReadError> ReadJsonRun(JsonByteSource& in, int maxSystems, JsonRunSummary& summary,
                                         RunOutput& observer, SectorEdits* edits = nullptr);
std::optional<JsonReadError> ReadJsonRun(std::istream& in, int maxSystems, JsonRunSummary& summary,
                                         RunOutput& observer, SectorEdits* edits = nullptr);

// A whole run read into memory, its records in the order of the document.
struct LoadedRun {
    JsonRunSummary summary;
    std::vector<int> numbers;  // of the systems, each under its number in the run
    std::vector<SystemRecord> systems;
    SectorEdits edits{0};
};

std::variant<LoadedRun, JsonReadError> LoadJsonRun(JsonByteSource& in, int maxSystems);
std::variant<LoadedRun, JsonReadError> LoadJsonRun(std::istream& in, int maxSystems);

}  // namespace nexmar
