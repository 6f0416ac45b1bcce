// The dialog's edits of the systems shown: renaming a system, and undoing
// and redoing each edit. An edit is a SectorChange; the undo stack holds
// them, and doing or undoing one is the same swap of what the systems were.
// Notes and rerolls come here as changes too.
#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "app/artwork.h"
#include "app/dialog_actions.h"
#include "app/find_bar.h"
#include "app/generator_dialog.h"
#include "app/picture_pane.h"
#include "app/recovery_copy.h"
#include "app/result_tree_model.h"
#include "app/user_prompts.h"
#include "gen/names/sector_edits.h"

namespace nexmar {

namespace {

// The id of the commands that may join the one before them.
constexpr int kBurstCommand = 1;

// One edit on the undo stack; the dialog does and undoes it. An edit made
// in a burst (a note's keystrokes) joins the edit before it of the same burst.
class ChangeCommand final : public QUndoCommand {
public:
    ChangeCommand(SectorChange change, std::function<void(const SectorChange&, bool)> put, std::optional<int> burst)
        : QUndoCommand(QString::fromStdString(change.Text())), change_(std::move(change)), put_(std::move(put)),
          burst_(burst)
    {
    }
    void redo() override { put_(change_, true); }
    void undo() override { put_(change_, false); }
    int id() const override { return burst_ ? kBurstCommand : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* later = static_cast<const ChangeCommand*>(other);
        if (later->burst_ != burst_ || !change_.Absorb(later->change_)) {
            return false;
        }
        // Typed and taken back within the burst: no edit is left to undo.
        setObsolete(change_.ChangesNothing());
        return true;
    }

private:
    SectorChange change_;
    std::function<void(const SectorChange&, bool)> put_;
    std::optional<int> burst_;
};

}  // namespace

void GeneratorDialog::BuildEditing()
{
    undoStack_ = new QUndoStack(this);
    actions_->Action("redoAction")
        ->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    // "Undo Rename System 3": the menu says what it takes back.
    const auto follow = [](QAction* action, const QString& command) {
        return [action, command](const QString& text) {
            action->setText(text.isEmpty() ? command : command + QLatin1Char(' ') + text);
        };
    };
    // Each connection ends with its action, which may go before the stack.
    QAction* undo = actions_->Action("undoAction");
    QAction* redo = actions_->Action("redoAction");
    connect(undoStack_, &QUndoStack::undoTextChanged, undo, follow(undo, QStringLiteral("&Undo")));
    connect(undoStack_, &QUndoStack::redoTextChanged, redo, follow(redo, QStringLiteral("&Redo")));
    // Each edit, undo, redo, save and new run.
    connect(undoStack_, &QUndoStack::indexChanged, this, &GeneratorDialog::FollowEdits);
    connect(undoStack_, &QUndoStack::cleanChanged, this, &GeneratorDialog::FollowEdits);
    connect(actions_->Action("openRecentAction")->menu(), &QMenu::aboutToShow, this, &GeneratorDialog::ListRecent);
    actions_->Action("lockAction")->setCheckable(true);
    // The Players menu marks what the selected system is to the players.
    auto* visibilities = new QActionGroup(this);
    visibilities->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const char* name : {"knownAction", "rumouredAction", "secretAction"}) {
        QAction* action = actions_->Action(name);
        action->setCheckable(true);
        visibilities->addAction(action);
        // Chosen again, a visibility changes nothing, but the click took its mark away.
        connect(action, &QAction::triggered, this, &GeneratorDialog::FollowMarks);
    }
    model_->SetSystemLocks([this](std::size_t place) { return session_.HasRun() && session_.Records().LockedAt(place); },
                           LockIcon());
    model_->SetSystemNames([this](std::size_t place) { return ShownName(place); });
}

void GeneratorDialog::RenameSystem()
{
    const std::optional<std::size_t> place = picture_->SelectedSystem();
    if (!place || !session_.HasRun()) {
        return;
    }
    const RunRecords& records = session_.Records();
    const int number = records.NumberAt(*place);
    const QString title = QStringLiteral("Rename System %1").arg(number);
    const std::optional<QString> answer =
        prompts_.AskName(this, title, QString::fromStdString(records.Edits().Name(number)));
    if (!answer) {
        return;
    }
    const std::string name = answer->toStdString();
    if (const std::string fault = NameFault(name); !fault.empty()) {
        const QString why = QString::fromStdString(fault);
        prompts_.ShowMessage(this, QStringLiteral("System %1 is not renamed: %2.").arg(number).arg(why));
        return;
    }
    PushChange(SectorChange::Rename(records, *place, name));
}

void GeneratorDialog::PushChange(SectorChange change, std::optional<int> burst)
{
    undoStack_->push(new ChangeCommand(
        std::move(change), [this](const SectorChange& change, bool done) { PutChange(change, done); }, burst));
}

void GeneratorDialog::Undo()
{
    ++noteBurst_;
    undoStack_->undo();
}

void GeneratorDialog::Redo()
{
    ++noteBurst_;
    undoStack_->redo();
}

void GeneratorDialog::PutChange(const SectorChange& change, bool done)
{
    // The recovery copy's writer reads the systems: it stops before they change.
    recovery_->Halt();
    session_.Change(change, done);
    if (change.ChangesRecords()) {
        RenderEdited();
    } else if (playerView_ && change.ChangesWhatPlayersSee()) {
        findBar_->Reshow([this] { FollowPlayerView(); }, findBar_->PlaceNow());
        picture_->Redraw();
    } else if (change.ChangesShown()) {
        // A rename leaves the tree's texts as they were: only the names
        // beside the systems, the picture and the overview follow it.
        model_->NamesChanged();
        picture_->Redraw();
    }
    FollowOverview();
    FollowNoteTarget();
    FollowMarks();
}

}  // namespace nexmar
