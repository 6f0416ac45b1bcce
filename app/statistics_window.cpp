#include "app/statistics_window.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QValueAxis>

#include <algorithm>

#include "core/format.h"
#include "run/statistics_report.h"

namespace nexmar {

namespace {

// Below it a table's counts do not follow its odds.
constexpr double kSkewedBelow = 1e-6;

QString TotalsText(const SectorTotals& totals)
{
    const QString level = QString::fromUtf8(DetailLevelName(totals.level));
    QString text = QStringLiteral("<b>Sector totals, %1 detail</b><table>").arg(level);
    for (const TotalLine& line : SectorLines(totals)) {
        text += QStringLiteral("<tr><td>%1:&nbsp;</td><td>%2</td></tr>")
                    .arg(QString::fromStdString(line.label).toHtmlEscaped(),
                         QString::fromStdString(line.value).toHtmlEscaped());
    }
    return text + QStringLiteral("</table>");
}

}  // namespace

StatisticsWindow::StatisticsWindow(RunStatistics statistics, const QString& runTitle, QWidget* parent)
    : QWidget(parent, Qt::Window), statistics_(std::move(statistics))
{
    setWindowTitle(QStringLiteral("Statistics: %1").arg(runTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    totals_ = new QLabel(TotalsText(statistics_.Totals()), this);
    totals_->setObjectName(QStringLiteral("sectorTotals"));
    totals_->setWordWrap(true);
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    totals_->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    tables_ = new QListWidget(this);
    tables_->setObjectName(QStringLiteral("tableList"));
    for (std::size_t table = 0; table < statistics_.Tables().size(); ++table) {
        const TableFit fit = statistics_.Fit(table);
        auto* item = new QListWidgetItem(
            QString::fromStdString(Format("%s\np = %.4g", statistics_.Tables()[table].name.c_str(), fit.p)), tables_);
        if (fit.p < kSkewedBelow) {
            item->setForeground(Qt::red);
        }
    }

    chart_ = new QChartView(this);
    chart_->setObjectName(QStringLiteral("tableChart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(520, 360);

    auto* side = new QVBoxLayout;
    side->addWidget(totals_);
    side->addWidget(tables_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(chart_, 1);

    connect(tables_, &QListWidget::currentRowChanged, this, &StatisticsWindow::ShowTable);
    tables_->setCurrentRow(0);
    resize(980, 620);
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
}

void StatisticsWindow::ShowTable(int table)
{
    if (table < 0 || table >= static_cast<int>(statistics_.Tables().size())) {
        return;
    }
    const auto index = static_cast<std::size_t>(table);
    auto* observed = new QBarSet(QStringLiteral("Observed"));
    auto* expected = new QBarSet(QStringLiteral("Expected"));
    QStringList outcomes;
    double highest = 0.0;
    // A horizontal chart lists its categories from the bottom up; reversed,
    // they read in the table's order from the top.
    std::vector<OutcomeTotal> totals = OutcomeTotals(statistics_, index);
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

    const TableFit fit = statistics_.Fit(index);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(QStringLiteral("<b>%1</b><br>%2")
                        .arg(QString::fromStdString(statistics_.Tables()[index].name).toHtmlEscaped(),
                             QString::fromStdString(Format("chi-square %.2f, %d degrees of freedom, p = %.4g",
                                                           fit.statistic, fit.degreesOfFreedom, fit.p))));
    auto* categories = new QBarCategoryAxis;
    categories->append(outcomes);
    chart->addAxis(categories, Qt::AlignLeft);
    series->attachAxis(categories);
    auto* counts = new QValueAxis;
    counts->setRange(0.0, highest > 0.0 ? highest * 1.05 : 1.0);
    counts->applyNiceNumbers();
    counts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(counts, Qt::AlignBottom);
    series->attachAxis(counts);
    chart->legend()->setAlignment(Qt::AlignBottom);

    QChart* previous = chart_->chart();
    chart_->setChart(chart);
    delete previous;
}

}  // namespace nexmar
