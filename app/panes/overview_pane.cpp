#include "app/panes/overview_pane.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

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

namespace {

// The characters a column shows at the least, whatever its title: a name's
// usual length, and a hex with its sector ("0304/2").
constexpr int kLeastChars[kOverviewColumnCount] = {0, 14, 7, 0, 0, 0, 0, 0, 0, 0};

// A column's title, each word on a line of its own, so that the columns are
// as narrow as their numbers allow.
QString TitleOf(int column)
{
    const std::string_view title = kOverviewColumns[column];
    return QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size()))
        .replace(QLatin1Char(' '), QLatin1Char('\n'));
}

}  // namespace

QVariant OverviewModel::data(const QModelIndex& index, int role) const
{
    const bool shown = role == Qt::DisplayRole || role == Qt::ToolTipRole;
    if (!index.isValid() || (!shown && role != Qt::TextAlignmentRole && role != kSortRole)) {
        return {};
    }
    const OverviewCell cell = OverviewCellOf(rows_[static_cast<std::size_t>(index.row())], index.column());
    if (const int* number = std::get_if<int>(&cell)) {
        return role == Qt::DisplayRole || role == kSortRole ? QVariant(*number)
               : role == Qt::TextAlignmentRole             ? QVariant((Qt::AlignRight | Qt::AlignVCenter).toInt())
                                                           : QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        return {};
    }
    if (const OverviewHex* hex = std::get_if<OverviewHex>(&cell)) {
        const QString number = QString::fromLatin1(hex->number.data(), static_cast<qsizetype>(hex->number.size()));
        return role == kSortRole ? QVariant(hex->order) : QVariant(number);
    }
    // The tip shows the whole of a text its column cuts short.
    const std::string_view text = std::get<std::string_view>(cell);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kOverviewColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return TitleOf(section);
}

OverviewPane::OverviewPane(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("overviewPane"));
    setAccessibleName(QStringLiteral("Sector Overview"));
    model_ = new OverviewModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortCaseSensitivity(Qt::CaseInsensitive);
    sorted_->setSortRole(OverviewModel::kSortRole);
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
    // Rows of one line, and each column as wide as its title (the name
    // wider; the specials take what is left, and a tip shows what a cell
    // cuts short), so that where the pane has its width every column shows
    // without a scroll.
    const QFontMetrics metrics(font());
    table_->verticalHeader()->setMinimumSectionSize(0);
    table_->verticalHeader()->setDefaultSectionSize(metrics.lineSpacing() + 6);
    // A title, in bold as the header draws the current column's, beside the
    // sort's arrow, about a line high and as wide.
    QHeaderView& header = *table_->horizontalHeader();
    header.ensurePolished();
    QFont bold = header.font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const int arrow = titleMetrics.height() + titleMetrics.averageCharWidth() +
                      2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int column = 0; column < kOverviewColumnCount; ++column) {
        const int titleWidth = titleMetrics.size(0, TitleOf(column)).width() + arrow;
        table_->setColumnWidth(column, std::max(titleWidth, metrics.averageCharWidth() * kLeastChars[column]));
        columnsWidth_ += table_->columnWidth(column);
    }
}

QSize OverviewPane::sizeHint() const
{
    return {columnsWidth_ + table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth(),
            table_->verticalHeader()->defaultSectionSize() * 20};
}

void OverviewPane::Show(const RunRecords& records, const SystemPlaces& hexes,
                        const std::optional<std::vector<std::size_t>>& places)
{
    model_->Show(OverviewRows(records, hexes, places));
    ShowChosen(chosen_);
}

void OverviewPane::Clear()
{
    model_->Show({});
}

void OverviewPane::ShowChosen(std::optional<std::size_t> place)
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
