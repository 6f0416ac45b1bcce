#include "run/generation_run.h"

#include <charconv>
#include <iterator>

#include "gen/high/high_system.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_system.h"
#include "run/tree_renderer.h"

namespace nexmar {

namespace {

// "System 12", put together without a format string: a batch run labels a
// million of them.
std::string SystemLabel(int number)
{
    char label[24] = "System ";
    constexpr std::size_t kPrefix = 7;
    char* const end = std::to_chars(std::begin(label) + kPrefix, std::end(label), number).ptr;
    return std::string(std::begin(label), end);
}

}  // namespace

RunRenderer::RunRenderer(DetailLevel level, bool renderTree, ResultTree& tree, ReportFiles& reports,
                         Notifier& notifier, const SystemDone& systemDone, std::span<RecordObserver* const> observers,
                         SystemChoice* choice)
    : level_(level),
      renderTree_(renderTree),
      tree_(tree),
      reports_(reports),
      writer_(reports),
      notifier_(notifier),
      systemDone_(systemDone),
      observers_(observers),
      choice_(choice)
{
    writer_.OpenReports(notifier_);
    root_ = tree_.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    if (level_ == DetailLevel::Low) {
        writer_.WriteLowTableStart();
    }
}

template <typename Record>
bool RunRenderer::NextShown(const Record& record)
{
    ++number_;
    return choice_ == nullptr || choice_->Shows(number_, record);
}

ItemId RunRenderer::SystemItem()
{
    return renderTree_ ? tree_.Insert(root_, SystemLabel(number_), TreeImage::System, Placement::Last) : kNoItem;
}

void RunRenderer::SystemComplete(ItemId system)
{
    if (systemDone_ && system != kNoItem) {
        systemDone_(tree_, system);
    }
}

void RunRenderer::AddLowSystem(const LowSystem& record)
{
    if (!NextShown(record)) {
        return;
    }
    const ItemId system = SystemItem();
    if (renderTree_) {
        RenderLowSystem(tree_, system, record);
    }
    writer_.WriteLowRow(number_, record);
    for (RecordObserver* observer : observers_) {
        observer->OnLowSystem(number_, record);
    }
    SystemComplete(system);
}

void RunRenderer::AddMediumSystem(const MediumSystem& record)
{
    if (!NextShown(record)) {
        return;
    }
    const ItemId system = SystemItem();
    if (renderTree_) {
        RenderMediumSystem(tree_, system, number_, record);
    }
    writer_.WriteSystemHeading(number_);
    writer_.WriteMediumTable(number_, record);
    for (RecordObserver* observer : observers_) {
        observer->OnMediumSystem(number_, record);
    }
    SystemComplete(system);
}

void RunRenderer::AddHighSystem(const HighSystem& record)
{
    if (!NextShown(record)) {
        return;
    }
    const ItemId system = SystemItem();
    if (renderTree_) {
        RenderHighSystem(tree_, system, number_, record);
    }
    writer_.WriteSystemHeading(number_);
    writer_.WriteHighTables(number_, record);
    for (RecordObserver* observer : observers_) {
        observer->OnHighSystem(number_, record);
    }
    SystemComplete(system);
}

RunOutcome RunRenderer::Finish()
{
    RunOutcome outcome;
    outcome.generated = true;
    if (level_ == DetailLevel::Low) {
        writer_.WriteLowTableEnd();
    }
    if (reports_.IsOpen()) {
        outcome.reportsComplete = writer_.CloseReports(notifier_);
    }
    return outcome;
}

RunOutcome RunGeneration(const RunInputs& inputs, Dice& dice, ResultTree& tree, ReportFiles& reports,
                         Notifier& notifier, const SystemDone& systemDone,
                         std::span<RecordObserver* const> observers)
{
    tree.Clear();
    if (inputs.systems < kMinSystems || inputs.systems > inputs.maxSystems) {
        return {};
    }
    RunRenderer renderer(inputs.level, inputs.renderTree, tree, reports, notifier, systemDone, observers,
                         inputs.choice);
    const bool census = inputs.census;
    for (int index = 0; index < inputs.systems; ++index) {
        switch (inputs.level) {
        case DetailLevel::Low:
            // The first system of every run is a Major Colony.
            renderer.AddLowSystem(index == 0 ? GenerateFirstLowSystem(dice, census) : GenerateLowSystem(dice, census));
            break;
        case DetailLevel::Medium:
            renderer.AddMediumSystem(GenerateMediumSystem(dice, census));
            break;
        case DetailLevel::High:
            renderer.AddHighSystem(GenerateHighSystem(dice, census));
            break;
        }
    }
    return renderer.Finish();
}

RunOutcome RenderLoadedRun(const LoadedRun& run, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                           const SystemDone& systemDone, std::span<RecordObserver* const> observers)
{
    tree.Clear();
    RunRenderer renderer(run.summary.header.level, true, tree, reports, notifier, systemDone, observers);
    // Only one of the levels' lists holds records.
    std::size_t at = 0;
    for (const LowSystem& system : run.low) {
        renderer.ContinueAt(run.numbers[at++]);
        renderer.AddLowSystem(system);
    }
    for (const MediumSystem& system : run.medium) {
        renderer.ContinueAt(run.numbers[at++]);
        renderer.AddMediumSystem(system);
    }
    for (const HighSystem& system : run.high) {
        renderer.ContinueAt(run.numbers[at++]);
        renderer.AddHighSystem(system);
    }
    return renderer.Finish();
}

}  // namespace nexmar
