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
        // The first system of every run is a Major Colony. The game's own
        // tables are read where the compiler sees them.
        if (const HouseRules* rules = settings.rules.get()) {
            return first ? GenerateFirstLowSystem(dice, settings.census, rules)
                         : GenerateLowSystem(dice, settings.census, rules);
        }
        return first ? GenerateFirstLowSystem(dice, settings.census) : GenerateLowSystem(dice, settings.census);
    case DetailLevel::Medium:
        return GenerateMediumSystem(dice, settings.census);
    case DetailLevel::High:
        return GenerateHighSystem(dice, settings.census);
    }
    return {};
}

}  // namespace

RunRenderer::RunRenderer(const RunSettings& settings, bool renderTree, ResultTree& tree, ReportSink& reports,
                         Notifier& notifier, const SystemDone& systemDone, std::span<RunOutput* const> outputs,
                         SystemChoice* choice)
    : renderTree_(renderTree),
      tree_(tree),
      reports_(reports, notifier),
      systemDone_(systemDone),
      outputs_(outputs),
      choice_(choice)
{
    reports_.Begin(settings);
    for (RunOutput* output : outputs_) {
        output->Begin(settings);
    }
    root_ = tree_.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
}

void RunRenderer::Render(ItemId system, const SystemRecord& record)
{
    struct ByLevel {
        ResultTree& tree;
        ItemId system;
        int number;
        void operator()(const LowSystem& low) const { RenderLowSystem(tree, system, low); }
        void operator()(const MediumSystem& medium) const { RenderMediumSystem(tree, system, number, medium); }
        void operator()(const HighSystem& high) const { RenderHighSystem(tree, system, number, high); }
    };
    std::visit(ByLevel{tree_, system, number_}, record);
}

void RunRenderer::Add(const SystemRecord& record)
{
    ++number_;
    if (choice_ != nullptr && !choice_->Shows(number_, record)) {
        return;
    }
    ItemId system = kNoItem;
    if (renderTree_) {
        system = tree_.Insert(root_, SystemLabel(number_), TreeImage::System, Placement::Last);
        Render(system, record);
    }
    reports_.Add(number_, record);
    for (RunOutput* output : outputs_) {
        output->Add(number_, record);
    }
    if (systemDone_ && system != kNoItem) {
        systemDone_(tree_, system);
    }
}

RunOutcome RunRenderer::Finish()
{
    RunOutcome outcome;
    outcome.generated = true;
    outcome.reportsComplete = reports_.Finish();
    for (RunOutput* output : outputs_) {
        output->Finish();
    }
    return outcome;
}

RunOutcome RunGeneration(const RunInputs& inputs, Dice& dice, ResultTree& tree, ReportSink& reports,
                         Notifier& notifier, const SystemDone& systemDone,
                         std::span<RunOutput* const> outputs)
{
    tree.Clear();
    const RunSettings& settings = inputs.settings;
    if (settings.systems < kMinSystems || settings.systems > inputs.maxSystems) {
        return {};
    }
    RunRenderer renderer(settings, inputs.renderTree, tree, reports, notifier, systemDone, outputs, inputs.choice);
    for (int index = 0; index < settings.systems; ++index) {
        renderer.Add(GenerateSystem(settings, dice, index == 0));
    }
    return renderer.Finish();
}

RunOutcome RenderLoadedRun(const LoadedRun& run, ResultTree& tree, ReportSink& reports, Notifier& notifier,
                           const SystemDone& systemDone, std::span<RunOutput* const> outputs)
{
    tree.Clear();
    RunRenderer renderer(run.summary.settings, true, tree, reports, notifier, systemDone, outputs);
    for (std::size_t at = 0; at < run.systems.size(); ++at) {
        renderer.ContinueAt(run.numbers[at]);
        renderer.Add(run.systems[at]);
    }
    return renderer.Finish();
}

}  // namespace nexmar
