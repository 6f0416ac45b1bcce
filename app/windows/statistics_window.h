#pragma once

#include <QWidget>

#include "gen/names/sector_edits.h"
#include "stats/run_statistics.h"

class QChartView;
class QComboBox;
class QListWidget;
class QTabWidget;

namespace nexmar {

// The statistics of one run in a window of its own. It opens on what a
// referee looks for first: the sector's counts, its special results and
// best worlds; a second tab checks the dice: the rolled tables with their
// p-values, and for the chosen table a bar chart of each outcome's observed
// count beside its expected count. It keeps its own copy, so a later run
// leaves it as it was.
class StatisticsWindow final : public QWidget {
    Q_OBJECT

public:
    // runTitle names the run, as "200 High systems, seed 3899494677"; edits
    // name its systems.
    StatisticsWindow(RunStatistics statistics, const SectorEdits& edits, const QString& runTitle,
                     QWidget* parent = nullptr);

    // Moves the window beside owner, on whichever side the screen has room
    // for it; over it only where neither side has.
    void PlaceBeside(const QWidget& owner);

    // Shows the chart of the table at this row of the list.
    void ShowTable(int table);

private:
    QWidget* BuildSummary(const SectorEdits& edits);
    QWidget* BuildDiceChecks();
    // The chosen table's chart, for the given value chosen.
    void ShowChart();

    RunStatistics statistics_;
    std::size_t table_ = 0;
    QTabWidget* tabs_ = nullptr;
    QComboBox* given_ = nullptr;
    QListWidget* tables_ = nullptr;
    QChartView* chart_ = nullptr;
};

}  // namespace nexmar
