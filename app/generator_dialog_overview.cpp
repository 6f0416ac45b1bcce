// The dialog's overview of the sector: a window beside it with a row for
// each system the tree shows.
#include <QModelIndex>

#include <span>

#include "app/generator_dialog.h"
#include "app/find_bar.h"
#include "app/overview_window.h"
#include "app/picture_pane.h"
#include "app/result_tree_model.h"
#include "app/result_tree_view.h"
#include "app/system_filter.h"

namespace nexmar {

void GeneratorDialog::ShowOverview()
{
    if (overview_ == nullptr) {
        overview_ = new OverviewWindow(this);
        connect(overview_, &OverviewWindow::SystemChosen, this, &GeneratorDialog::SelectSystem);
    }
    if (overview_->isVisible()) {
        overview_->hide();
        return;
    }
    // Beside the dialog where the screen has room; it is moved onto the screen otherwise.
    overview_->move(frameGeometry().topRight());
    overview_->show();
    FollowOverview();
}

void GeneratorDialog::FollowOverview()
{
    if (overview_ == nullptr || !overview_->isVisible()) {
        return;
    }
    if (session_.HasRun()) {
        overview_->Show(session_.Records(), KeptPlaces());
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
