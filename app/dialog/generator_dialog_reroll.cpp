// The dialog's rerolls: a system, or every system not locked, rolled again
// from fresh seeds, and the tree following the run rendered again from its
// records as edited.
#include <QAction>

#include <memory>
#include <vector>

#include "app/commands/dialog_actions.h"
#include "app/document/lock_command.h"
#include "app/document/reroll_command.h"
#include "app/document/sector_document.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/picture_pane.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

namespace {

constexpr const char* kEverySystemLocked = "Every system is locked: Reroll Others leaves them all as they are.";

// "1 system", "3 systems", "1,024 notes".
QString Counted(std::size_t count, const char* thing)
{
    return QStringLiteral("%L1 %2%3").arg(count).arg(QString::fromLatin1(thing), count == 1 ? QString() : QStringLiteral("s"));
}

// Where the tree's view stands, by the rows that lead to its items, so that
// the same places open again once the run is rendered anew.
struct ViewPlace {
    std::vector<std::vector<int>> open;
    std::vector<int> current;
};

ViewPlace Remember(const ResultTreeModel& model, const ResultTreeView& view, const ShownTree& tree)
{
    ViewPlace place;
    std::vector<QModelIndex> pending{model.index(0, 0)};
    while (!pending.empty()) {
        const QModelIndex item = pending.back();
        pending.pop_back();
        if (!item.isValid() || !view.isExpanded(item)) {
            continue;
        }
        place.open.push_back(tree.PathOf(model.ItemOf(item)));
        for (int row = 0; row < model.rowCount(item); ++row) {
            pending.push_back(model.index(row, 0, item));
        }
    }
    if (view.currentIndex().isValid()) {
        place.current = tree.PathOf(model.ItemOf(view.currentIndex()));
    }
    return place;
}

void Restore(const ViewPlace& place, const ResultTreeModel& model, ResultTreeView& view, const ShownTree& tree)
{
    for (const std::vector<int>& path : place.open) {
        if (const ItemId item = tree.AtPath(path); item != kNoItem && model.Shows(item)) {
            view.expand(model.IndexOf(item));
        }
    }
    if (const ItemId item = tree.AtPath(place.current); item != kNoItem && model.Shows(item)) {
        view.setCurrentIndex(model.IndexOf(item));
    }
}

// The notes on the objects of the system at place, which go with the
// objects a reroll takes away.
std::size_t ObjectNotesAt(const RunRecords& records, std::size_t place)
{
    const SystemEdits* edits = records.Edits().Find(records.NumberAt(place));
    return edits != nullptr ? edits->objectNotes.size() + edits->objectPlayerNotes.size() : 0;
}

}  // namespace

void GeneratorDialog::RerollSystem()
{
    const std::optional<std::size_t> place = picture_->SelectedSystem();
    if (!place || !session_.HasRun()) {
        return;
    }
    // Nothing is lost without notes on its objects, so only then is the
    // referee asked first.
    const std::size_t objectNotes = ObjectNotesAt(session_.Records(), *place);
    if (objectNotes > 0) {
        const QString text = QStringLiteral("Reroll System rolls System %1 again from a fresh seed; %2 on its "
                                            "objects go with the objects rolled away. The system keeps its name, "
                                            "its notes and what the players may see. Undo brings everything back.")
                                 .arg(session_.Records().NumberAt(*place))
                                 .arg(Counted(objectNotes, "note"));
        if (!prompts_.AskProceed(this, actions_->Title("rerollAction"), text)) {
            return;
        }
    }
    RerollPlaces({*place});
    if (objectNotes > 0) {
        Tell(QStringLiteral("Rolled again System %1; %2 on its objects gone with them")
                 .arg(session_.Records().NumberAt(*place))
                 .arg(Counted(objectNotes, "note")));
    }
}

void GeneratorDialog::RerollOthers()
{
    if (!session_.HasRun()) {
        return;
    }
    const RunRecords& records = session_.Records();
    std::vector<std::size_t> places;
    std::size_t objectNotes = 0;
    for (std::size_t place = 0; place < records.size(); ++place) {
        if (records.LockedAt(place)) {
            continue;
        }
        places.push_back(place);
        objectNotes += ObjectNotesAt(records, place);
    }
    if (places.empty()) {
        prompts_.ShowMessage(this, QString::fromLatin1(kEverySystemLocked));
        return;
    }
    const std::size_t kept = records.size() - places.size();
    const QString what = QStringLiteral("%1, each from a fresh seed; %2 locked.")
                             .arg(Counted(places.size(), "system"), Counted(kept, "system"));
    const QString notes = objectNotes == 0
                              ? QStringLiteral("No object of theirs has notes.")
                              : QStringLiteral("%1 on their objects go with the objects rolled away.")
                                    .arg(Counted(objectNotes, "note"));
    const QString text = QStringLiteral("Reroll Others rolls again %1 %2 Each system keeps its name, its notes and "
                                        "what the players may see. Undo brings everything back.")
                             .arg(what, notes);
    if (!prompts_.AskProceed(this, actions_->Title("rerollOthersAction"), text)) {
        return;
    }
    RerollPlaces(places);
    Tell(QStringLiteral("Rolled again %1; %2 kept as locked; %3 on their objects gone with them")
             .arg(Counted(places.size(), "system"), Counted(kept, "system"), Counted(objectNotes, "note")));
}

void GeneratorDialog::LockSystem()
{
    const std::optional<std::size_t> place = picture_->SelectedSystem();
    if (place && session_.HasRun()) {
        document_->Edit(std::make_unique<LockCommand>(*document_, *place));
    }
}

void GeneratorDialog::RerollPlaces(const std::vector<std::size_t>& places)
{
    document_->Edit(std::make_unique<RerollCommand>(*document_, places));
}

void GeneratorDialog::FollowRerolled()
{
    // The model still shows the tree the run had before.
    const ViewPlace place = Remember(*model_, *treeView_, model_->Tree());
    model_->Show(session_.Tree());
    FollowSession();
    Restore(place, *model_, *treeView_, *session_.Tree());
}

}  // namespace nexmar
