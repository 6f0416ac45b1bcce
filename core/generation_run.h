#pragma once

#include <functional>

#include "core/dice.h"
#include "core/notifier.h"
#include "core/report_files.h"
#include "core/result_tree.h"

namespace nexmar {

enum class DetailLevel { Low = 0, Medium = 1, High = 2 };

inline constexpr int kMinSystems = 1;
inline constexpr int kMaxSystems = 200;  // what one press of Generate may ask for

struct RunInputs {
    int systems = 1;
    DetailLevel level = DetailLevel::Low;
    bool census = false;
    int maxSystems = kMaxSystems;  // batch runs allow more
};

// What every generator is given for one run: the dice, the tree it fills,
// the reports it appends to, and the census option as it stood at the start.
struct GenContext {
    Dice& dice;
    ResultTree& tree;
    ReportFiles& reports;
    bool census;
};

struct RunOutcome {
    bool generated = false;        // false: the count was out of range, nothing ran
    bool reportsComplete = false;  // both reports opened and were written in full
};

// Called after each system with its item, once it is complete.
using SystemDone = std::function<void(const ResultTree&, ItemId system)>;

// One generation run: empties the tree, validates the count, opens the
// reports, inserts the root "System Results" and generates each system with
// the generator of the level, then closes the reports.
RunOutcome RunGeneration(const RunInputs& inputs, Dice& dice, ResultTree& tree, ReportFiles& reports,
                         Notifier& notifier, const SystemDone& systemDone = {});

}  // namespace nexmar
