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
#include "gen/run_settings.h"
#include "json/json_import.h"
#include "report/report_output.h"
#include "run/tree_images.h"

namespace nexmar {

inline constexpr int kMinSystems = 1;

// A run's settings, and how this run carries them out. The dice come apart,
// seeded by whoever asks for the run; the query's choice comes here parsed.
struct RunInputs {
    RunSettings settings;
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

// Shows records one system after another in the tree and hands them to the
// run's outputs, the reports first, as a run does, whether the records come
// from the dice or from a saved run. Made after the tree has been emptied:
// begins every output and inserts the root "System Results"; Finish
// finishes every output.
class RunRenderer {
public:
    RunRenderer(const RunSettings& settings, bool renderTree, ResultTree& tree, ReportSink& reports,
                Notifier& notifier, const SystemDone& systemDone = {}, std::span<RunOutput* const> outputs = {},
                SystemChoice* choice = nullptr);
    RunRenderer(const RunRenderer&) = delete;
    RunRenderer& operator=(const RunRenderer&) = delete;

    // The next system, of the renderer's level.
    void Add(const SystemRecord& record);
    // The next system added has number, later than the latest: a saved run
    // that a query filtered keeps each system under its number in the run.
    void ContinueAt(int number) { number_ = number - 1; }
    RunOutcome Finish();

private:
    // The system's items under its own.
    void Render(ItemId system, const SystemRecord& record);

    bool renderTree_;
    ResultTree& tree_;
    ReportOutput reports_;
    SystemDone systemDone_;
    std::span<RunOutput* const> outputs_;
    SystemChoice* choice_;
    ItemId root_;
    int number_ = 0;  // of the latest system
};

// One generation run: empties the tree, validates the count, begins the
// outputs, inserts the root "System Results", and for each system has the
// level's generator decide it, then shows its record in the tree and hands
// it to the reports and every other output; last it finishes them.
RunOutcome RunGeneration(const RunInputs& inputs, Dice& dice, ResultTree& tree, ReportSink& reports,
                         Notifier& notifier, const SystemDone& systemDone = {},
                         std::span<RunOutput* const> outputs = {});

// Shows a loaded run as the run that wrote it showed it: empties the tree,
// then renders every record into the tree, the reports and the outputs.
RunOutcome RenderLoadedRun(const LoadedRun& run, ResultTree& tree, ReportSink& reports, Notifier& notifier,
                           const SystemDone& systemDone = {}, std::span<RunOutput* const> outputs = {});

}  // namespace nexmar
