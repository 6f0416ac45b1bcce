// The players' handout printed from the dialog, beside the referee's print of
// the same run, side by side in one run: Export PDF of 200 High systems with
// census, then Export Handout PDF of them, every system known to the players
// and given notes for them, so that every picture and every note is printed.
// Each figure is the median of several exports unless told otherwise.
//   nexmar-handout-bench [-median N]

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

#include "app/dialog/generator_dialog.h"
#include "dialog_bench_support.h"

namespace nexmar {

class HandoutBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString base =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        dir_ = std::make_unique<QTemporaryDir>(base + QStringLiteral("/nexmar-handout-bench-XXXXXX"));
        QVERIFY(dir_->isValid());
        QVERIFY(QDir::setCurrent(dir_->path()));
        // The recovery copies of the notes stay in the benchmark's folder.
        qputenv("XDG_DATA_HOME", dir_->filePath(QStringLiteral("data")).toLocal8Bit());
    }

    void exportPdf_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("referee") << QStringLiteral("exportPdfAction");
        QTest::newRow("handout") << QStringLiteral("exportHandoutPdfAction");
    }

    void exportPdf()
    {
        QFETCH(QString, action);
        bench::SilentPrompts prompts;
        prompts.saveName = dir_->filePath(action + QStringLiteral(".pdf"));
        prompts.notesAnswer = QStringLiteral("Traders speak of a beacon here.");
        GeneratorDialog dialog(prompts, 2026, ".");
        dialog.show();
        dialog.findChild<QLineEdit*>(QStringLiteral("numberField"))->setText(QStringLiteral("200"));
        dialog.findChild<QCheckBox*>(QStringLiteral("censusBox"))->setChecked(true);
        dialog.findChild<QRadioButton*>(QStringLiteral("highRadio"))->setChecked(true);
        dialog.Generate();
        QApplication::processEvents();
        auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("resultTree"));
        const QModelIndex root = tree->model()->index(0, 0);
        QCOMPARE(tree->model()->rowCount(root), 200);
        for (int row = 0; row < 200; ++row) {
            tree->setCurrentIndex(tree->model()->index(row, 0, root));
            dialog.EditPlayerNotes();
        }
        auto* command = dialog.findChild<QAction*>(action);
        QBENCHMARK_ONCE {
            command->trigger();
            QApplication::processEvents();
        }
        QVERIFY(QFileInfo(prompts.saveName).size() > 0);
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

}  // namespace nexmar

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    nexmar::HandoutBench bench;
    return nexmar::bench::RunMedianOfSeven(bench);
}

#include "handout_bench.moc"
