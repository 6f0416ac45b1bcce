// The find field on the largest run the dialog opens: 10,000 High systems
// with census, in wall time, side by side in one run:
//   a query typed in the find field until the tree shows its systems
//   a plain text typed there until the tree shows its systems
//   Escape, until the whole tree is shown again (the floor: a model reset)
//   Copy as Text of the last system
//   the sector overview filled with every system, and sorted by Total RAW,
//   beside opening the document
//   the statistics window opened, its statistics tallied from the records
// and the memory the run's records take (kept so that a query reads no
// document) against the document's size.
//   nexmar-find-bench

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <fstream>
#include <memory>
#include <string>

#include "app/dialog/generator_dialog.h"
#include "app/files/run_file_reading.h"
#include "model/run_records.h"
#include "app/kit/user_prompts.h"
#include "dialog_bench_support.h"
#include "run/generation_run.h"
#include "json/json_export.h"
#include "json/json_import.h"

namespace nexmar {

namespace {

constexpr std::uint32_t kSeed = 2026;

using bench::SilentNotifier;
using bench::SilentPrompts;

// Milliseconds that work takes, events included.
template <class Work>
long long TimeMs(const Work& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents();
    return timer.elapsed();
}

// The process's resident memory now, in kB.
long ResidentKb()
{
    return bench::ProcessStatusKb("VmRSS:");
}

}  // namespace

class FindBench : public QObject {
    Q_OBJECT

private slots:
    void findLarge();
};

void FindBench::findLarge()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString largeRun = dir.filePath(QStringLiteral("large.json"));
    QVERIFY(bench::WriteLargestOpenedRun(largeRun.toStdString(), kSeed));
    SilentPrompts prompts;
    prompts.openName = largeRun;
    GeneratorDialog dialog(prompts, kSeed, dir.path().toStdString());
    dialog.show();
    const long long open = TimeMs([&] { dialog.OpenJson(); });
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("resultTree"));
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("findField"));
    auto* count = dialog.findChild<QLabel*>(QStringLiteral("findCount"));
    const QModelIndex root = view->model()->index(0, 0);
    QCOMPARE(view->model()->rowCount(root), kMaxOpenedSystems);

    // The records alone, read from the document as Open JSON keeps them.
    long recordsKb = 0;
    {
        const long before = ResidentKb();
        RunRecords records;
        std::ifstream in(largeRun.toStdString(), std::ios::binary);
        JsonRunSummary summary;
        QVERIFY(!ReadJsonRun(in, kMaxOpenedSystems, summary, records));
        recordsKb = ResidentKb() - before;
        QCOMPARE(records.size(), std::size_t{kMaxOpenedSystems});
    }
    const auto typed = [&](const char* text) {
        return TimeMs([&] {
            dialog.Find();
            field->setText(QString::fromLatin1(text));
            QTest::keyClick(field, Qt::Key_Return);
        });
    };
    const long long query = typed("type = \"Gas Giant\" and capacity >= 8");
    const QString queryCount = count->text();
    const long long text = typed("ancient ruins");
    const QString textCount = count->text();
    const long long escape = TimeMs([&] { QTest::keyClick(field, Qt::Key_Escape); });
    QCOMPARE(view->model()->rowCount(root), kMaxOpenedSystems);
    view->setCurrentIndex(view->model()->index(kMaxOpenedSystems - 1, 0, root));
    const long long copy = TimeMs([&] { dialog.CopyAsText(); });
    const long long overview = TimeMs([&] { dialog.ShowOverview(); });
    auto* table = dialog.findChild<QTableView*>(QStringLiteral("overviewTable"));
    QCOMPARE(table->model()->rowCount(), kMaxOpenedSystems);
    const long long sort = TimeMs([&] { table->sortByColumn(7, Qt::DescendingOrder); });
    const long long statistics = TimeMs([&] { dialog.ShowStatistics(); });
    qInfo("findLarge: open %lld ms; overview filled in %lld ms, sorted in %lld ms; statistics window %lld ms", open,
          overview, sort, statistics);
    qInfo("findLarge: query %lld ms (%s); text %lld ms (%s); Escape %lld ms; Copy as Text %lld ms; "
          "records %ld kB beside a document of %lld kB",
          query, qPrintable(queryCount), text, qPrintable(textCount), escape, copy, recordsKb,
          QFileInfo(largeRun).size() / 1024);
}

}  // namespace nexmar

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    nexmar::FindBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "find_bench.moc"
