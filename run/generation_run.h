#pragma once

#include <functional>
#include <limits>
#include <span>

#include "core/dice.h"
#include "core/notifier.h"
#include "core/report_files.h"
#include "core/result_tree.h"
#include "gen/records.h"
#include "gen/run_output.h"
#include "json/json_import.h"
#include "report/report_writer.h"
#include "run/tree_images.h"

namespace nexmar {

inline constexpr int kMinSystems = 1;

struct RunInputs {
    int systems = 1;
    DetailLevel level = DetailLevel::Low;
    bool census = false;
    int maxSystems = std::numeric_limits<int>::max();  // whoever asks for the run may allow fewer
    // Without it the tree holds the root alone and no system is handed to
    // SystemDone: a batch run that shows no tree spends nothing on it.
    bool renderTree = true;
    // Shows only the systems it chooses; every system when none.
    SystemChoice* choice = nullptr;
};

// A count out of range runs nothing: the tree stays empty and the reports
// keep the earlier run.
struct RunOutcome {
    bool generated = false;        // false: the count was out of range, nothing ran
    bool reportsComplete = false;  // both reports opened and were written in full
};

// Called after each system with its item, once it is complete.
using SystemDone = std::function<void(const ResultTree&, ItemId system)>;

// Shows records one system after another in the tree and the reports, as a
// run does, whether the records come from the dice or from a saved run. Made
// after the tree has been emptied: opens the reports and inserts the root
// "System Results"; Finish closes the reports.
class RunRenderer {
public:
    RunRenderer(DetailLevel level, bool renderTree, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                const SystemDone& systemDone = {}, std::span<RecordObserver* const> observers = {},
                SystemChoice* choice = nullptr);
    RunRenderer(const RunRenderer&) = delete;
    RunRenderer& operator=(const RunRenderer&) = delete;

    // The next system, of the renderer's level.
    void AddLowSystem(const LowSystem& record);
    void AddMediumSystem(const MediumSystem& record);
    void AddHighSystem(const HighSystem& record);
    // The next system added has number, later than the latest: a saved run
    // that a query filtered keeps each system under its number in the run.
    void ContinueAt(int number) { number_ = number - 1; }
    RunOutcome Finish();

private:
    // Counts the next system and says whether it is shown.
    template <typename Record>
    bool NextShown(const Record& record);
    ItemId SystemItem();
    void SystemComplete(ItemId system);

    DetailLevel level_;
    bool renderTree_;
    ResultTree& tree_;
    ReportFiles& reports_;
    ReportWriter writer_;
    Notifier& notifier_;
    SystemDone systemDone_;
    std::span<RecordObserver* const> observers_;
    SystemChoice* choice_;
    ItemId root_;
    int number_ = 0;  // of the latest system
};

// One generation run: empties the tree, validates the count, opens the
// reports, inserts the root "System Results", and for each system has the
// level's generator decide it, then shows its record in the tree and writes
// it to the reports; last it closes the reports.
RunOutcome RunGeneration(const RunInputs& inputs, Dice& dice, ResultTree& tree, ReportFiles& reports,
                         Notifier& notifier, const SystemDone& systemDone = {},
                         std::span<RecordObserver* const> observers = {});

// Shows a loaded run as the run that wrote it showed it: empties the tree,
// then renders every record into the tree and both reports.
RunOutcome RenderLoadedRun(const LoadedRun& run, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                           const SystemDone& systemDone = {}, std::span<RecordObserver* const> observers = {});

}  // namespace nexmar
