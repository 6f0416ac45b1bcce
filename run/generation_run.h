#pragma once

#include <functional>
#include <limits>
#include <span>

#include "core/dice.h"
#include "core/notifier.h"
#include "core/report_files.h"
#include "core/result_tree.h"
#include "gen/records.h"
#include "run/report_writer.h"
#include "run/tree_images.h"

namespace nexmar {

inline constexpr int kMinSystems = 1;

class SystemChoice;

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

// Sees each system's record as soon as the run has decided it, before the
// next system is rolled: outputs beside the tree and the reports (an export,
// statistics) follow the run in constant memory.
class RecordObserver {
public:
    virtual ~RecordObserver() = default;
    virtual void OnLowSystem(int /*number*/, const LowSystem& /*system*/) {}
    virtual void OnMediumSystem(int /*number*/, const MediumSystem& /*system*/) {}
    virtual void OnHighSystem(int /*number*/, const HighSystem& /*system*/) {}
};

// Chooses the systems a run shows. Every system is still rolled, so the
// dice go on as they would without it, and each system shown keeps its
// number from the run; one passed over is neither in the tree nor in the
// reports, nor handed to the observers. It is told of every system, so it
// may count them all.
class SystemChoice {
public:
    virtual ~SystemChoice() = default;
    virtual bool Shows(int number, const LowSystem& system) = 0;
    virtual bool Shows(int number, const MediumSystem& system) = 0;
    virtual bool Shows(int number, const HighSystem& system) = 0;
};

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

}  // namespace nexmar
