#pragma once

#include <QAbstractTableModel>
#include <QWidget>

#include <cstddef>
#include <optional>
#include <vector>

#include "model/system_overview.h"

class QSortFilterProxyModel;
class QTableView;

namespace nexmar {

// The overview's rows as a table; numbers stay numbers, so that a sort by
// a numeric column is numeric, and a hex sorts as its number reads.
class OverviewModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // What a cell sorts by: its number, its text, or its hex's order.
    static constexpr int kSortRole = Qt::UserRole;

    void Show(std::vector<OverviewRow> rows);
    // The place among the run's records of the system on row.
    std::size_t PlaceAt(int row) const { return rows_[static_cast<std::size_t>(row)].place; }
    // The row of the system at place; invalid when none shows it.
    QModelIndex IndexOfPlace(std::size_t place) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<OverviewRow> rows_;
};

// A pane beside the tree with one row per system the tree shows, sortable
// by any column; choosing a row chooses that system in the tree, and the
// system chosen in the tree is the row chosen here.
class OverviewPane final : public QWidget {
    Q_OBJECT

public:
    explicit OverviewPane(QWidget* parent = nullptr);

    // The systems at places (all when none), from records, each at its hex among hexes.
    void Show(const RunRecords& records, const SystemPlaces& hexes,
              const std::optional<std::vector<std::size_t>>& places);
    void Clear();
    // Makes the row of the system at place the current one (none: no row),
    // as the tree chose it; SystemChosen is not told.
    void ShowChosen(std::optional<std::size_t> place);
    // As wide as every column, each as wide as its title or its usual text.
    QSize sizeHint() const override;

signals:
    // place: among the run's records.
    void SystemChosen(std::size_t place);

private:
    OverviewModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    std::optional<std::size_t> chosen_;
    bool followingTree_ = false;
    int columnsWidth_ = 0;
};

}  // namespace nexmar
