// The dialog's run commands: Generate, Generate with Seed and Copy Seed, and
// the rendering behind a progress window that every new run goes through.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include <atomic>
#include <utility>
#include <vector>

#include "app/dialog/generator_dialog.h"
#include "app/document/sector_document.h"
#include "app/panes/result_tree_model.h"
#include "model/seed_input.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

CountParse GeneratorDialog::ReadInputs()
{
    int systems = 0;
    const CountParse count = ParseSystemCount(numberField_->text().toStdString(), systems);
    if (count != CountParse::Ok) {
        return count;
    }
    inputs_.systems = systems;
    inputs_.level = static_cast<DetailLevel>(levelGroup_->checkedId());
    inputs_.census = censusBox_->isChecked();
    return count;
}

void GeneratorDialog::RejectCount(CountParse result)
{
    prompts_.ShowMessage(this, QString::fromLatin1(SystemCountMessage(result)));
    numberField_->setFocus(Qt::OtherFocusReason);
    numberField_->selectAll();
}

void GeneratorDialog::Generate()
{
    RunFromSeed(std::nullopt);
}

void GeneratorDialog::GenerateWithSeed()
{
    // The seed is the referee's: with the players watching, the prompt starts empty.
    QString text = session_.HasRun() && !playerView_ ? QString::number(session_.Description().seed) : QString();
    for (;;) {
        const std::optional<QString> answer = prompts_.AskSeed(this, text);
        if (!answer) {
            return;
        }
        Seed seed = 0;
        const std::string refusal = ReadSeedInput(answer->toStdString(), seed);
        if (refusal.empty()) {
            RunFromSeed(seed);
            return;
        }
        prompts_.ShowMessage(this, QString::fromStdString(refusal));
        text = *answer;
    }
}

void GeneratorDialog::CopySeed()
{
    if (session_.HasRun() && !playerView_) {
        QApplication::clipboard()->setText(QString::number(session_.Description().seed));
        Tell(QStringLiteral("Copied the seed %1").arg(session_.Description().seed));
    }
}

void GeneratorDialog::RunFromSeed(std::optional<Seed> chosenSeed)
{
    const CountParse count = ReadInputs();
    if (count != CountParse::Ok) {
        // Nothing starts, so nothing shown is lost: the tree is cleared
        // only by a run that replaces it.
        RejectCount(count);
        return;
    }
    if (!MaySetAsideEdits()) {
        return;
    }
    // Each run rolls from a seed of its own, so any run can be repeated, here
    // or with nexmar-cli --seed.
    RunSettings run = inputs_;
    run.seed = chosenSeed ? *chosenSeed : session_.TakeNextSeed();
    const bool shown = Render(QStringLiteral("Generating %1 systems...").arg(run.systems),
           [&](const std::atomic<bool>& cancel, WorkProgress& progress) {
               progress.total = run.systems;
               return RenderRun(
                   run, session_.ReportDirectory(),
                   [&run](ResultTree& tree, ReportFiles& reports, Notifier& notifier, const SystemDone& systemDone,
                          std::span<RunOutput* const> observers) {
                       SeededDice dice(run.seed);
                       RunGeneration({run, kMaxSystems}, dice, tree, reports, notifier,
                                     systemDone, observers);
                   },
                   cancel, [&progress](int done) { progress.done = done; });
           });
    // A new run is a sector of its own, saved nowhere yet.
    if (shown) {
        BecomeDocument({});
    }
}

bool GeneratorDialog::Render(
    const QString& label,
    const std::function<std::optional<RenderedRun>(const std::atomic<bool>&, WorkProgress&)>& work)
{
    std::optional<RenderedRun> rendered;
    const bool finished =
        RunInBackground(this, prompts_, label, [&](const std::atomic<bool>& cancel, WorkProgress& progress) {
            rendered = work(cancel, progress);
        });
    if (!finished || !rendered) {
        return finished;
    }
    document_->ShowRun(std::move(*rendered));
    return true;
}

void GeneratorDialog::ShowDocumentRun()
{
    model_->SetRootToolTip(QStringLiteral("Seed %1").arg(session_.Description().seed));
    model_->Show(session_.Tree());
    expandButton_->setEnabled(true);
    ShowExpandButton(true);
    FollowSession();
    ReopenPanes();
}

}  // namespace nexmar
