// The dialog's notes: the pane beside the tree where the referee writes on
// the selected system or object, each burst of typing one edit to undo.
#include <QAction>
#include <QItemSelectionModel>

#include <string>

#include "app/dialog_actions.h"
#include "app/generator_dialog.h"
#include "app/notes_pane.h"
#include "app/picture_pane.h"
#include "app/result_tree_model.h"
#include "app/result_tree_view.h"
#include "gen/names/sector_edits.h"

namespace nexmar {

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "System 3, Vessa Reach", or "Object 3A.2 in System 3, Vessa Reach".
QString Heading(const RunRecords& records, const NoteTarget& target)
{
    const int number = records.NumberAt(target.place);
    const QString system = QStringLiteral("System %1, %2").arg(number).arg(Utf8(records.Edits().Name(number)));
    return target.object.empty() ? system : Utf8(target.objectItem) + QStringLiteral(" in ") + system;
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
    connect(notes_, &NotesPane::NotesEdited, this, &GeneratorDialog::WriteNotes);
    connect(notes_, &NotesPane::EditingEnded, this, [this] { ++noteBurst_; });
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
        ++noteBurst_;
        noteTarget_ = target;
        notes_->ShowTarget(target ? Heading(session_.Records(), *target) : QString(),
                           target ? Utf8(NotesOf(session_.Records(), *target)) : QString(), target.has_value());
    } else if (target) {
        notes_->FollowNotes(Heading(session_.Records(), *target), Utf8(NotesOf(session_.Records(), *target)));
    }
}

void GeneratorDialog::WriteNotes(const QString& text)
{
    if (!noteTarget_ || !session_.HasRun()) {
        return;
    }
    const std::string notes = text.toStdString();
    const std::string fault = NoteFault(notes);
    notes_->ShowFault(QString::fromStdString(fault));
    const RunRecords& records = session_.Records();
    if (!fault.empty() || notes == NotesOf(records, *noteTarget_)) {
        return;
    }
    PushChange(noteTarget_->object.empty()
                   ? SectorChange::Note(records, noteTarget_->place, notes)
                   : SectorChange::ObjectNote(records, noteTarget_->place, noteTarget_->object, notes),
               noteBurst_);
}

}  // namespace nexmar
