#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "run/generation_run.h"
#include "json/json_import.h"
#include "invariants/any_face_dice.h"

namespace nexmar::invariants {

// Everything one generation run left behind.
struct RecordedRun {
    RunInputs inputs;
    RunOutcome outcome;
    ResultTree tree;
    std::string text;  // TNXT001
    std::string html;  // TNXH001
    DiceCalls calls;
    std::vector<std::string> notices;
    // False for a run read from a document: no dice were rolled, so there
    // are no calls to check against the tree.
    bool rolled = true;
    // The systems' numbers in a run that a query filtered, which may be none;
    // empty for a whole run, numbered 1, 2, 3 and on.
    bool filtered = false;
    std::vector<int> numbers;
};

// Runs inputs with dice, writing the reports into directory, and reads them back.
RecordedRun RecordRun(const RunInputs& inputs, Dice& dice, const std::filesystem::path& directory);

// A run read from a document, rendered as the dialog renders it, writing
// the reports into directory, and read back.
RecordedRun RecordLoadedRun(const LoadedRun& loaded, const std::filesystem::path& directory);

// The invariants that every run must keep whatever its dice: the shape of
// the tree, the fields and cells of every report row, the ranges of every
// value, and the tree and both reports telling the same systems in the same
// order. Returns what is broken (empty when the run is sound).
std::vector<std::string> CheckRun(const RecordedRun& run);

}  // namespace nexmar::invariants
