// The dialog's notes: the pane beside the tree where the referee writes on
// the selected system or object, for the referee and for the players, each
// burst of typing one edit to undo.
#include <QAction>
#include <QItemSelectionModel>

#include <memory>
#include <string>

#include "app/commands/dialog_actions.h"
#include "app/document/note_command.h"
#include "app/document/sector_document.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/notes_pane.h"
#include "app/panes/picture_pane.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "gen/names/sector_edits.h"

namespace nexmar {

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "System 3, Vessa Reach, hex 0304", or "Object 3A.2 in System 3, Vessa
// Reach, hex 0304"; for the players, "System 3, hex 0304" where its name is
// hidden from them (their map shows its hex all the same).
QString Heading(const RunSession& session, const NoteTarget& target, bool players)
{
    const QString system = session.SystemHeading(target.place, players);
    return target.object.empty() ? system : Utf8(target.objectItem) + QStringLiteral(" in ") + system;
}

NotesPane::Notes NotesShown(const RunRecords& records, const std::optional<NoteTarget>& target)
{
    if (!target) {
        return {};
    }
    return {Utf8(NotesOf(records, *target)), Utf8(NotesOf(records, *target, NoteKind::Players))};
}

}  // namespace

void GeneratorDialog::BuildNotesPane()
{
    notes_ = new NotesPane;
    picture_->AddPane(*notes_);
    actions_->Action("showNotesAction")->setCheckable(true);
    connect(treeView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GeneratorDialog::FollowNoteTarget);
    // Another run, or the find field keeping other systems.
    connect(model_, &QAbstractItemModel::modelReset, this, &GeneratorDialog::FollowNoteTarget);
    connect(notes_, &NotesPane::NotesEdited, this, [this](const QString& text) { WriteNotes(text, NoteKind::Referee); });
    connect(notes_, &NotesPane::PlayerNotesEdited, this,
            [this](const QString& text) { WriteNotes(text, NoteKind::Players); });
    connect(notes_, &NotesPane::EditingEnded, document_, &SectorDocument::EndBurst);
    connect(notes_, &NotesPane::Left, this, &GeneratorDialog::GoToResults);
}

void GeneratorDialog::ShowNotes()
{
    const bool show = !picture_->IsPaneShown(*notes_);
    if (show && !isMaximized() && !isFullScreen()) {
        resize(width() + picture_->GrowthToShow(*notes_), height());
    }
    picture_->ShowPane(*notes_, show);
    actions_->Action("showNotesAction")->setChecked(show);
    FollowNoteTarget();
}

void GeneratorDialog::FollowNoteTarget()
{
    if (notes_ == nullptr) {
        return;
    }
    const QModelIndex current = treeView_->currentIndex();
    const std::optional<NoteTarget> target =
        current.isValid() && session_.HasRun()
            ? NoteTargetOf(*session_.Tree(), session_.Records(), model_->ItemOf(current))
            : std::nullopt;
    if (target != noteTarget_) {
        document_->EndBurst();
        noteTarget_ = target;
        notes_->ShowTarget(target ? Heading(session_, *target, playerView_) : QString(),
                           NotesShown(session_.Records(), target), target.has_value());
    } else if (target) {
        notes_->FollowNotes(Heading(session_, *target, playerView_), NotesShown(session_.Records(), target));
    }
}

void GeneratorDialog::WriteNotes(const QString& text, NoteKind kind)
{
    if (!noteTarget_ || !session_.HasRun()) {
        return;
    }
    const std::string notes = text.toStdString();
    const std::string fault = NoteFault(notes);
    const bool players = kind == NoteKind::Players;
    notes_->ShowFault(QString::fromStdString(fault), players);
    const RunRecords& records = session_.Records();
    if (!fault.empty() || notes == NotesOf(records, *noteTarget_, kind)) {
        return;
    }
    document_->Edit(std::make_unique<NoteCommand>(*document_, *noteTarget_, kind, notes, document_->Burst()));
}

}  // namespace nexmar
