#include "app/overview_window.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "app/screen_room.h"

namespace nexmar {

void OverviewModel::Show(std::vector<OverviewRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QModelIndex OverviewModel::IndexOfPlace(std::size_t place) const
{
    const auto row =
        std::find_if(rows_.begin(), rows_.end(), [place](const OverviewRow& shown) { return shown.place == place; });
    return row == rows_.end() ? QModelIndex() : index(static_cast<int>(row - rows_.begin()), 0);
}

int OverviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int OverviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kOverviewColumnCount;
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)) {
        return {};
    }
    const OverviewCell cell = OverviewCellOf(rows_[static_cast<std::size_t>(index.row())], index.column());
    if (const int* number = std::get_if<int>(&cell)) {
        return role == Qt::DisplayRole ? QVariant(*number)
                                       : QVariant((Qt::AlignRight | Qt::AlignVCenter).toInt());
    }
    if (role == Qt::TextAlignmentRole) {
        return {};
    }
    const std::string_view text = std::get<std::string_view>(cell);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kOverviewColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const std::string_view title = kOverviewColumns[section];
    return QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size()));
}

OverviewWindow::OverviewWindow(QWidget* dialog) : QWidget(dialog, Qt::Tool)
{
    setObjectName(QStringLiteral("overviewWindow"));
    setWindowTitle(QStringLiteral("Sector Overview"));
    model_ = new OverviewModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortCaseSensitivity(Qt::CaseInsensitive);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("overviewTable"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !followingTree_) {
                    chosen_ = model_->PlaceAt(sorted_->mapToSource(current).row());
                    emit SystemChosen(*chosen_);
                }
            });
    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * 110, metrics.height() * 24);
    KeepOnScreenWhenShown(*this);
}

void OverviewWindow::Show(const RunRecords& records, const std::optional<std::vector<std::size_t>>& places)
{
    model_->Show(OverviewRows(records, places));
    ShowChosen(chosen_);
}

void OverviewWindow::Clear()
{
    model_->Show({});
}

void OverviewWindow::ShowChosen(std::optional<std::size_t> place)
{
    chosen_ = place;
    const QModelIndex row = place ? sorted_->mapFromSource(model_->IndexOfPlace(*place)) : QModelIndex();
    const QScopedValueRollback following(followingTree_, true);
    if (!row.isValid()) {
        table_->selectionModel()->clear();
        return;
    }
    table_->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(row);
}

}  // namespace nexmar
