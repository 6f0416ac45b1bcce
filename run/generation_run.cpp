#include "run/generation_run.h"

#include <charconv>
#include <iterator>
#include <variant>

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

// The next system of a run with these settings, as its level's generator
// decides it.
SystemRecord GenerateSystem(const RunSettings& settings, Dice& dice, bool first)
{
    switch (settings.level) {
    case DetailLevel::Low:
        // The first system of every run is a Major Colony.
        return first ? GenerateFirstLowSystem(dice, settings.census) : GenerateLowSystem(dice, settings.census);
    case DetailLevel::Medium:
        return GenerateMediumSystem(dice, settings.census);
    case DetailLevel::High:
        return GenerateHighSystem(dice, settings.census);
    }
    return {};
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

ItemId RunRenderer::SystemItem()
{
    return renderTree_ ? tree_.Insert(root_, SystemLabel(number_), TreeImage::System, Placement::Last) : kNoItem;
}

void RunRenderer::Render(ItemId system, const LowSystem& record)
{
    if (renderTree_) {
        RenderLowSystem(tree_, system, record);
    }
    writer_.WriteLowRow(number_, record);
}

void RunRenderer::Render(ItemId system, const MediumSystem& record)
{
    if (renderTree_) {
        RenderMediumSystem(tree_, system, number_, record);
    }
    writer_.WriteSystemHeading(number_);
    writer_.WriteMediumTable(number_, record);
}

void RunRenderer::Render(ItemId system, const HighSystem& record)
{
    if (renderTree_) {
        RenderHighSystem(tree_, system, number_, record);
    }
    writer_.WriteSystemHeading(number_);
    writer_.WriteHighTables(number_, record);
}

void RunRenderer::Add(const SystemRecord& record)
{
    ++number_;
    if (choice_ != nullptr && !choice_->Shows(number_, record)) {
        return;
    }
    const ItemId system = SystemItem();
    std::visit([&](const auto& levelRecord) { Render(system, levelRecord); }, record);
    for (RecordObserver* observer : observers_) {
        observer->OnSystem(number_, record);
    }
    if (systemDone_ && system != kNoItem) {
        systemDone_(tree_, system);
    }
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
    const RunSettings& settings = inputs.settings;
    if (settings.systems < kMinSystems || settings.systems > inputs.maxSystems) {
        return {};
    }
    RunRenderer renderer(settings.level, inputs.renderTree, tree, reports, notifier, systemDone, observers,
                         inputs.choice);
    for (int index = 0; index < settings.systems; ++index) {
        renderer.Add(GenerateSystem(settings, dice, index == 0));
    }
    return renderer.Finish();
}

RunOutcome RenderLoadedRun(const LoadedRun& run, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                           const SystemDone& systemDone, std::span<RecordObserver* const> observers)
{
    tree.Clear();
    RunRenderer renderer(run.summary.settings.level, true, tree, reports, notifier, systemDone, observers);
    for (std::size_t at = 0; at < run.systems.size(); ++at) {
        renderer.ContinueAt(run.numbers[at]);
        renderer.Add(run.systems[at]);
    }
    return renderer.Finish();
}

}  // namespace nexmar
