#pragma once

#include <QWidget>

#include "stats/run_statistics.h"

class QChartView;
class QComboBox;
class QLabel;
class QListWidget;

namespace nexmar {

// The statistics of one run in a window of its own: the sector totals, the
// rolled tables with their p-values, and for the chosen table a bar chart of
// each outcome's observed count beside its expected count. It keeps its own
// copy, so a later run leaves it as it was.
class StatisticsWindow final : public QWidget {
    Q_OBJECT

public:
    // runTitle names the run, as "200 High systems, seed 3899494677".
    StatisticsWindow(RunStatistics statistics, const QString& runTitle, QWidget* parent = nullptr);

    // Moves the window beside owner, on whichever side the screen has room
    // for it; over it only where neither side has.
    void PlaceBeside(const QWidget& owner);

    // Shows the chart of the table at this row of the list.
    void ShowTable(int table);

private:
    // The chosen table's chart, for the given value chosen.
    void ShowChart();

    RunStatistics statistics_;
    std::size_t table_ = 0;
    QComboBox* given_ = nullptr;
    QLabel* totals_ = nullptr;
    QListWidget* tables_ = nullptr;
    QChartView* chart_ = nullptr;
};

}  // namespace nexmar
