// The dialog's edits of the systems shown: renaming a system, and undoing
// and redoing each edit, which the document keeps on its undo stack.
#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QUndoStack>

#include <memory>
#include <optional>
#include <string>

#include "app/kit/artwork.h"
#include "app/commands/dialog_actions.h"
#include "app/document/rename_command.h"
#include "app/document/sector_document.h"
#include "app/panes/find_bar.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/picture_pane.h"
#include "app/panes/result_tree_model.h"
#include "app/kit/user_prompts.h"
#include "gen/names/sector_edits.h"

namespace nexmar {

void GeneratorDialog::BuildEditing()
{
    QUndoStack* undoStack = &document_->UndoStack();
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
    connect(undoStack, &QUndoStack::undoTextChanged, undo, follow(undo, QStringLiteral("&Undo")));
    connect(undoStack, &QUndoStack::redoTextChanged, redo, follow(redo, QStringLiteral("&Redo")));
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
    document_->Edit(std::make_unique<RenameCommand>(*document_, *place, name));
}

void GeneratorDialog::ListenToDocument()
{
    // An edit's rerender shows a progress window over this one.
    document_->SetWorkRunner([this](const QString& label, const BackgroundWork& work) {
        RunInBackground(this, prompts_, label, work, false);
    });
    // The tree first: the views after it find its items as the run now has them.
    connect(document_, &SectorDocument::RunReplaced, this, &GeneratorDialog::ShowDocumentRun);
    connect(document_, &SectorDocument::RecordsChanged, this, &GeneratorDialog::FollowRerolled);
    // The names beside the systems say what the players may see of them too.
    for (const auto changed : {&SectorDocument::NamesChanged, &SectorDocument::VisibilityChanged}) {
        connect(document_, changed, model_, &ResultTreeModel::NamesChanged);
    }
    // The players' tree holds their names and what they may see of each system.
    connect(document_, &SectorDocument::VisibilityChanged, this, [this] {
        if (playerView_) {
            findBar_->Reshow([this] { FollowPlayerView(); }, findBar_->PlaceNow());
        }
    });
    for (const auto changed : {&SectorDocument::RecordsChanged, &SectorDocument::NamesChanged}) {
        connect(document_, changed, picture_, &PicturePane::Redraw);
    }
    connect(document_, &SectorDocument::VisibilityChanged, picture_, &PicturePane::RedrawForPlayers);
    connect(document_, &SectorDocument::SystemsChanged, this, &GeneratorDialog::FollowOverview);
    connect(document_, &SectorDocument::SystemsChanged, this, &GeneratorDialog::FollowNoteTarget);
    connect(document_, &SectorDocument::SystemsChanged, this, &GeneratorDialog::FollowMarks);
    connect(document_, &SectorDocument::ModifiedChanged, this, &GeneratorDialog::FollowWindowTitle);
    connect(document_, &SectorDocument::PathChanged, this, &GeneratorDialog::FollowWindowTitle);
    // Once every view shows the run.
    connect(document_, &SectorDocument::RunMessages, this, &GeneratorDialog::TellMessages);
}

void GeneratorDialog::TellMessages(const QStringList& messages)
{
    for (const QString& message : messages) {
        prompts_.ShowMessage(this, message);
    }
}

void GeneratorDialog::Undo()
{
    document_->Undo();
}

void GeneratorDialog::Redo()
{
    document_->Redo();
}

}  // namespace nexmar
