#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QChartView>
#include <QContextMenuEvent>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

#include "app/generator_dialog.h"
#include "app/statistics_window.h"
#include "support/dialog_fixture.h"

namespace nexmar {

class StatisticsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheContextMenuForTheLatestRunAndKeepsIt();

private:
    // The dialog's background menu entry for the statistics, as a right click shows it.
    QAction* StatisticsEntry() const
    {
        QMenu* menu = fixture_.OpenContextMenu();
        QAction* entry = fixture_.Action("statisticsAction");
        const bool listed = menu->actions().contains(entry);
        menu->close();
        return listed ? entry : nullptr;
    }

    testing::DialogFixture fixture_;
};

void StatisticsWindowTest::opensFromTheContextMenuForTheLatestRunAndKeepsIt()
{
    fixture_.Start(77);
    GeneratorDialog& dialog = fixture_.Dialog();
    testing::FakePrompts& prompts = fixture_.prompts;

    QAction* entry = StatisticsEntry();
    QVERIFY(entry != nullptr);
    QVERIFY(!entry->isEnabled());  // no run yet

    dialog.findChild<QRadioButton*>(QStringLiteral("highRadio"))->setChecked(true);
    fixture_.Run(QStringLiteral("20"));
    entry = StatisticsEntry();
    QVERIFY(entry->isEnabled());
    entry->trigger();  // shows the window and returns: nothing waits for it

    auto* window = dialog.findChild<StatisticsWindow*>();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    auto* totals = window->findChild<QLabel*>(QStringLiteral("sectorTotals"));
    QVERIFY(totals->text().contains(QStringLiteral("Systems:&nbsp;</td><td>20<")));
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

    // A later run leaves the open window with the run it was opened for.
    fixture_.Run(QStringLiteral("3"));
    tables->setCurrentRow(static_cast<int>(HighTable::StarCount));
    QCOMPARE(sum(bars(0)), 20.0);
    QVERIFY(prompts.messages.isEmpty());
    window->close();
    fixture_.Stop();
}

}  // namespace nexmar

QTEST_MAIN(nexmar::StatisticsWindowTest)
#include "statistics_window_test.moc"
