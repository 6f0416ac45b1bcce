#include "app/windows/statistics_window.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "app/kit/screen_room.h"
#include "core/format.h"
#include "stats/sector_summary.h"
#include "stats/statistics_report.h"

namespace nexmar {

namespace {

// Below it a table's counts do not follow its odds.
constexpr double kSkewedBelow = 1e-6;

QIcon SkewMark()
{
    QPixmap mark(12, 12);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawEllipse(QRectF(1, 1, 10, 10));
    return QIcon(mark);
}

// The step between two ticks of a count axis reaching highest: a whole
// number of 1, 2 or 5 times a power of ten, about five ticks in all.
long CountStep(double highest)
{
    long step = 1;
    for (long power = 1; step * 5 < highest; power *= 10) {
        for (const long factor : {1L, 2L, 5L}) {
            step = factor * power;
            if (step * 5 >= highest) {
                break;
            }
        }
    }
    return step;
}

}  // namespace

StatisticsWindow::StatisticsWindow(RunStatistics statistics, const SectorEdits& edits, const QString& runTitle,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), statistics_(std::move(statistics))
{
    setWindowTitle(QStringLiteral("Statistics: %1").arg(runTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("statisticsTabs"));
    tabs_->addTab(BuildSummary(edits), QStringLiteral("&Sector"));
    tabs_->addTab(BuildDiceChecks(), QStringLiteral("&Dice Against Their Odds"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);

    // Each key once: a key listed twice would be ambiguous, and do nothing.
    QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Close)) {
        if (!closeKeys.contains(key)) {
            closeKeys << key;
        }
    }
    auto* closeAction = new QAction(this);
    closeAction->setShortcuts(closeKeys);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);

    resize(980, 620);
    KeepOnScreen(*this);
    KeepOnScreenWhenShown(*this);
}

QWidget* StatisticsWindow::BuildSummary(const SectorEdits& edits)
{
    auto* summary = new QTreeWidget;
    summary->setObjectName(QStringLiteral("sectorSummary"));
    summary->setColumnCount(2);
    // Each section's title says what its numbers are.
    summary->setHeaderHidden(true);
    summary->setRootIsDecorated(false);
    summary->setAlternatingRowColors(true);
    for (const SummarySection& section : SectorSummary(statistics_.Totals(), edits)) {
        auto* title = new QTreeWidgetItem(summary, {QString::fromStdString(section.title)});
        title->setFirstColumnSpanned(true);
        QFont bold = title->font(0);
        bold.setBold(true);
        title->setFont(0, bold);
        for (const SummaryRow& row : section.rows) {
            auto* item =
                new QTreeWidgetItem(title, {QString::fromStdString(row.label), QString::fromStdString(row.value)});
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    summary->expandAll();
    summary->header()->setStretchLastSection(false);
    summary->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    summary->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    return summary;
}

QWidget* StatisticsWindow::BuildDiceChecks()
{
    auto* page = new QWidget;
    tables_ = new QListWidget(page);
    tables_->setObjectName(QStringLiteral("tableList"));
    for (std::size_t table = 0; table < statistics_.Tables().size(); ++table) {
        const TableFit fit = statistics_.Fit(table);
        auto* item = new QListWidgetItem(
            QString::fromStdString(Format("%s\np = %.4g", statistics_.Tables()[table].name.c_str(), fit.p)), tables_);
        if (fit.p < kSkewedBelow) {
            // A mark of its own, which stays red when the item is selected.
            item->setForeground(Qt::red);
            item->setIcon(SkewMark());
            item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("skewed"));
        }
    }

    given_ = new QComboBox(page);
    given_->setObjectName(QStringLiteral("givenBox"));
    given_->setToolTip(QStringLiteral("A table that depends on an earlier result is drawn for each given value"));

    chart_ = new QChartView(page);
    chart_->setObjectName(QStringLiteral("tableChart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(420, 360);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(tables_);
    auto* chartSide = new QVBoxLayout;
    chartSide->addWidget(given_);
    chartSide->addWidget(chart_, 1);
    layout->addLayout(chartSide, 1);

    connect(tables_, &QListWidget::currentRowChanged, this, &StatisticsWindow::ShowTable);
    connect(given_, &QComboBox::currentIndexChanged, this, [this] { ShowChart(); });
    tables_->setCurrentRow(0);
    // Every table's name in full.
    tables_->setMinimumWidth(tables_->sizeHintForColumn(0) + 2 * tables_->frameWidth() +
                             tables_->verticalScrollBar()->sizeHint().width());
    return page;
}

void StatisticsWindow::PlaceBeside(const QWidget& owner)
{
    const QRect frame = owner.frameGeometry();
    const QScreen* screen = owner.screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect();
    const QSize size = frameGeometry().size().expandedTo(this->size());
    QPoint place = frame.topLeft() + QPoint(32, 32);
    if (frame.right() + 1 + size.width() <= room.right() + 1) {
        place = QPoint(frame.right() + 1, frame.top());
    } else if (frame.left() - size.width() >= room.left()) {
        place = QPoint(frame.left() - size.width(), frame.top());
    }
    // Its title bar stays on the screen.
    place.setY(std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    move(place);
    KeepOnScreen(*this);
}

void StatisticsWindow::ShowTable(int table)
{
    if (table < 0 || table >= static_cast<int>(statistics_.Tables().size())) {
        return;
    }
    table_ = static_cast<std::size_t>(table);
    const TableOdds& odds = statistics_.Tables()[table_];
    const QSignalBlocker quiet(given_);
    given_->clear();
    // A table rolled given an earlier result has a chart per given value
    // beside the total, so a skew inside one of them can show.
    if (odds.groups.size() > 1) {
        given_->addItem(QStringLiteral("All given values together"));
        for (const std::string& group : odds.groups) {
            given_->addItem(QStringLiteral("Given %1").arg(QString::fromStdString(group)));
        }
    }
    given_->setVisible(odds.groups.size() > 1);
    ShowChart();
}

void StatisticsWindow::ShowChart()
{
    const TableOdds& odds = statistics_.Tables()[table_];
    const int group = odds.groups.size() > 1 ? given_->currentIndex() - 1 : -1;
    std::vector<OutcomeTotal> totals =
        OutcomeTotals(statistics_, table_,
                      group < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(group)));
    auto* observed = new QBarSet(QStringLiteral("Observed"));
    auto* expected = new QBarSet(QStringLiteral("Expected"));
    QStringList outcomes;
    double highest = 0.0;
    // A horizontal chart lists its categories from the bottom up; reversed,
    // they read in the table's order from the top.
    std::reverse(totals.begin(), totals.end());
    for (const OutcomeTotal& total : totals) {
        outcomes << QString::fromStdString(total.outcome);
        *observed << static_cast<double>(total.observed);
        *expected << total.expected;
        highest = std::max({highest, static_cast<double>(total.observed), total.expected});
    }
    auto* series = new QHorizontalBarSeries;
    series->append(observed);
    series->append(expected);

    const TableFit fit = statistics_.Fit(table_);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(QStringLiteral("<b>%1</b>%2<br>%3")
                        .arg(QString::fromStdString(odds.name).toHtmlEscaped(),
                             group < 0 ? QString() : QStringLiteral(", %1").arg(given_->currentText().toHtmlEscaped()),
                             QString::fromStdString(Format("chi-square %.2f, %d degrees of freedom, p = %.4g",
                                                           fit.statistic, fit.degreesOfFreedom, fit.p))));
    auto* categories = new QBarCategoryAxis;
    categories->append(outcomes);
    // Outcome names in full, however long.
    categories->setTruncateLabels(false);
    chart->addAxis(categories, Qt::AlignLeft);
    series->attachAxis(categories);
    // Whole counts only: ticks a whole step apart from zero.
    auto* counts = new QValueAxis;
    const long step = CountStep(highest);
    const long top = std::max(step, static_cast<long>(std::ceil(highest / static_cast<double>(step))) * step);
    counts->setRange(0.0, static_cast<double>(top));
    counts->setTickType(QValueAxis::TicksDynamic);
    counts->setTickAnchor(0.0);
    counts->setTickInterval(static_cast<double>(step));
    counts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(counts, Qt::AlignBottom);
    series->attachAxis(counts);
    chart->legend()->setAlignment(Qt::AlignBottom);

    QChart* previous = chart_->chart();
    chart_->setChart(chart);
    delete previous;
}

}  // namespace nexmar
