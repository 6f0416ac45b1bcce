// The dialog's overview of the sector: a pane beside the tree with a row for
// each system the tree shows.
//
// The overview is a pane of the splitter the picture and the notes share,
// not a tab in the tree's place: a tab would hide the tree whenever the
// overview shows, so that a row chosen would select a system no one sees,
// and its tab bar would take height from the tree. As a pane, the tree and
// every control keep their places, and the overview takes the room the
// window gains, as the picture and the notes do; the window grows only as
// far as the screen allows, and the panes share what it has.
#include <QAction>
#include <QModelIndex>

#include <span>

#include "app/commands/dialog_actions.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/overview_pane.h"
#include "app/panes/picture_pane.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "app/panes/system_filter.h"
#include "map/run_places.h"

namespace nexmar {

void GeneratorDialog::BuildOverviewPane()
{
    overview_ = new OverviewPane;
    picture_->AddPane(*overview_);
    actions_->Action("overviewAction")->setCheckable(true);
    connect(overview_, &OverviewPane::SystemChosen, this, &GeneratorDialog::SelectSystem);
}

void GeneratorDialog::ShowOverview()
{
    const bool show = !picture_->IsPaneShown(*overview_);
    if (show && !isMaximized() && !isFullScreen()) {
        resize(width() + picture_->GrowthToShow(*overview_), height());
    }
    picture_->ShowPane(*overview_, show);
    actions_->Action("overviewAction")->setChecked(show);
    FollowOverview();
}

void GeneratorDialog::FollowOverview()
{
    // A hidden overview is filled when it is shown.
    if (overview_ == nullptr || !picture_->IsPaneShown(*overview_)) {
        return;
    }
    if (session_.HasRun()) {
        // The hexes as the map places them, the referee's moves too.
        overview_->Show(session_.Records(), RunPlaces(session_.Description(), session_.Records().Edits()),
                        KeptPlaces());
        overview_->ShowChosen(picture_->SelectedSystem());
    } else {
        overview_->Clear();
    }
}

void GeneratorDialog::SelectSystem(std::size_t place)
{
    if (!session_.HasRun()) {
        return;
    }
    const std::span<const ItemId> systems = SystemItems(*session_.Tree());
    if (place >= systems.size()) {
        return;
    }
    const QModelIndex index = model_->IndexOf(systems[place]);
    treeView_->setCurrentIndex(index);
    treeView_->scrollTo(index);
}

}  // namespace nexmar
