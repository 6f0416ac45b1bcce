#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QValueAxis>
#include <QContextMenuEvent>
#include <QHorizontalBarSeries>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <numeric>

#include "gen/names/sector_edits.h"

#include "app/dialog/generator_dialog.h"
#include "app/windows/statistics_window.h"
#include "support/dialog_fixture.h"

namespace nexmar {

class StatisticsWindowTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void opensFromTheContextMenuForTheLatestRunAndKeepsIt();

private:
    // The dialog's background menu entry for the statistics, as a right click shows it.
    QAction* StatisticsEntry() const
    {
        QMenu* menu = OpenContextMenu();
        QAction* entry = Action("statisticsAction");
        const bool listed = menu->actions().contains(entry);
        menu->close();
        return listed ? entry : nullptr;
    }
};

void StatisticsWindowTest::opensFromTheContextMenuForTheLatestRunAndKeepsIt()
{
    Start(77);
    GeneratorDialog& dialog = Dialog();

    QAction* entry = StatisticsEntry();
    QVERIFY(entry != nullptr);
    QVERIFY(!entry->isEnabled());  // no run yet

    dialog.findChild<QRadioButton*>(QStringLiteral("highRadio"))->setChecked(true);
    Run(QStringLiteral("20"));
    entry = StatisticsEntry();
    QVERIFY(entry->isEnabled());
    entry->trigger();  // shows the window and returns: nothing waits for it

    auto* window = dialog.findChild<StatisticsWindow*>();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Statistics: 20 High systems, seed 77"));
    QCOMPARE(window->windowModality(), Qt::NonModal);
    // It opens on the sector: its counts first, the best worlds under the
    // names the systems have now.
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("statisticsTabs"));
    QCOMPARE(tabs->currentIndex(), 0);
    auto* summary = window->findChild<QTreeWidget*>(QStringLiteral("sectorSummary"));
    QCOMPARE(summary->topLevelItem(0)->text(0), QStringLiteral("Sector, High detail"));
    QCOMPARE(summary->topLevelItem(0)->child(0)->text(0), QStringLiteral("Systems"));
    QCOMPARE(summary->topLevelItem(0)->child(0)->text(1), QStringLiteral("20"));
    const QList<QTreeWidgetItem*> best =
        summary->findItems(QStringLiteral("Best worlds by Capacity"), Qt::MatchExactly);
    QCOMPARE(best.size(), 1);
    const QString bestWorld = best.front()->child(0)->text(0);
    const int bestSystem = bestWorld.section(QStringLiteral(" in System "), 1).section(QLatin1Char(' '), 0, 0).toInt();
    QVERIFY(bestSystem > 0);
    QVERIFY(bestWorld.endsWith(QString::fromStdString(" " + SectorEdits(77).Name(bestSystem))));
    tabs->setCurrentIndex(1);
    QCOMPARE(tabs->tabText(1), QStringLiteral("&Dice Against Their Odds"));
    auto* tables = window->findChild<QListWidget*>(QStringLiteral("tableList"));
    QCOMPARE(tables->count(), static_cast<int>(HighTableOdds().size()));
    QVERIFY(tables->item(0)->text().contains(QStringLiteral("p = ")));

    // The stars of a system: six outcomes, each with an observed and an expected bar.
    auto* chart = window->findChild<QChartView*>(QStringLiteral("tableChart"));
    const auto bars = [chart](int set) {
        auto* series = qobject_cast<QHorizontalBarSeries*>(chart->chart()->series().constFirst());
        QList<double> values;
        for (int i = 0; series != nullptr && set < series->count() && i < series->barSets().at(set)->count(); ++i) {
            values << series->barSets().at(set)->at(i);
        }
        return values;
    };
    const auto sum = [](const QList<double>& values) { return std::accumulate(values.begin(), values.end(), 0.0); };
    QCOMPARE(bars(0).size(), 6);
    QCOMPARE(sum(bars(0)), 20.0);
    QVERIFY(qAbs(sum(bars(1)) - 20.0) < 1e-9);

    tables->setCurrentRow(static_cast<int>(HighTable::Zone));
    QVERIFY(chart->chart()->title().startsWith(QStringLiteral("<b>High: zone by first star</b><br>chi-square")));

    // Whole-number ticks, however few systems: a step of at least one.
    auto* counts = qobject_cast<QValueAxis*>(chart->chart()->axes(Qt::Horizontal).constFirst());
    QCOMPARE(counts->tickType(), QValueAxis::TicksDynamic);
    QVERIFY(counts->tickInterval() >= 1.0 && counts->tickInterval() == std::floor(counts->tickInterval()));

    // A table rolled given an earlier result: a chart per given value, each
    // of that value's own counts against its own odds.
    auto* given = window->findChild<QComboBox*>(QStringLiteral("givenBox"));
    tables->setCurrentRow(static_cast<int>(HighTable::StarCount));
    QVERIFY(!given->isVisibleTo(window));
    const auto table = static_cast<std::size_t>(HighTable::Type);
    tables->setCurrentRow(static_cast<int>(table));
    const std::vector<TableOdds> allOdds = HighTableOdds();
    const TableOdds& odds = allOdds[table];
    QVERIFY(given->isVisibleTo(window));
    QCOMPARE(given->count(), static_cast<int>(odds.groups.size()) + 1);
    const double objects = sum(bars(0));
    double perGiven = 0.0;
    for (int group = 1; group < given->count(); ++group) {
        given->setCurrentIndex(group);
        QVERIFY(chart->chart()->title().contains(given->currentText()));
        QVERIFY(qAbs(sum(bars(0)) - sum(bars(1))) < 1e-6);  // the odds of one given value add up to one
        perGiven += sum(bars(0));
    }
    QCOMPARE(perGiven, objects);

    // A later run leaves the open window with the run it was opened for.
    Run(QStringLiteral("3"));
    tables->setCurrentRow(static_cast<int>(HighTable::StarCount));
    QCOMPARE(sum(bars(0)), 20.0);
    QVERIFY(prompts.messages.isEmpty());
    // Escape closes it, as Ctrl+W does.
    QTest::keyClick(tables, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
    Stop();
}

}  // namespace nexmar

QTEST_MAIN(nexmar::StatisticsWindowTest)
#include "statistics_window_test.moc"
