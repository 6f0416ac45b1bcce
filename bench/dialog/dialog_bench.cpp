// The most work one press can cause: 200 systems with census. Each figure
// sits beside its floor, measured in the same run:
//   generate     Generate until the tree is ready to show
//   engineRun    the engine's RunGeneration of the same systems alone
//   expandAll    Expand All            qtExpandAll    QTreeView::expandAll()
//   collapseAll  Collapse All          qtCollapseAll  QTreeView::collapseAll()
//   walkCollapse the item-by-item walk from the last visible item upward
// Rows: the three detail levels through the dialog, and a tree of the High
// level's shape (about 15,000 items) on the dialog's own view and model.
//   openLarge    Open JSON of 10,000 High systems with census until the
//                tree is shown, then Expand All and Collapse All on it (and
//                Collapse All again after one system was closed by hand),
//                and the growth of the peak memory against the file's size
//                Reroll Others on it, its Undo, and Reroll System on one
//                system (each until the tree is shown again), collapsed and
//                with every item open
//                A rename on it: the time the window waits for it, and
//                the time its recovery copy takes to be written beside
//   renderLarge  the same file read and rendered alone, on this thread
// Single-shot figures (expand and collapse) have a resolution of one
// millisecond in wall time; -tickcounter gives CPU ticks instead.
//   nexmar-dialog-bench [-tickcounter] [-median N] [testfunction[:row]]

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

#include "app/kit/artwork.h"
#include "app/dialog/generator_dialog.h"
#include "app/document/recovery_copy.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "app/files/run_file_reading.h"
#include "app/document/run_session.h"
#include "app/kit/user_prompts.h"
#include "dialog_bench_support.h"
#include "json/json_export.h"
#include "json/json_import.h"
#include "core/format.h"

namespace nexmar {

namespace {

constexpr int kSystems = 200;
constexpr std::uint32_t kSeed = 2026;

using bench::SilentNotifier;
using bench::SilentPrompts;

const char* const kLevelNames[] = {"low", "medium", "high"};

// The tree a High run gives, in shape: per system two components of three
// objects with ten stat lines and three moons each, and the star lines.
void GrowHighShapedTree(ResultTree& tree)
{
    const ItemId root = tree.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    for (int n = 1; n <= kSystems; ++n) {
        const ItemId system = tree.Insert(root, Format("System %d", n), TreeImage::System, Placement::Last);
        for (int component = 0; component < 2; ++component) {
            tree.Insert(system, Format("Star %c1: Yellow V", 'A' + component), TreeImage::YellowStar, Placement::Last);
            for (int object = 1; object <= 3; ++object) {
                const ItemId item = tree.Insert(system, Format("%c%d Terrestrial", 'A' + component, object),
                                                TreeImage::GreenObject, Placement::Last);
                for (int stat = 0; stat < 10; ++stat) {
                    AddStatItem(tree, Format("Stat %d", stat), stat, TreeImage::Blank, item);
                }
                for (int moon = 1; moon <= 3; ++moon) {
                    tree.Insert(item, Format("Moon %d", moon), TreeImage::Moon, Placement::Last);
                }
            }
        }
    }
}

// What the expand and collapse benchmarks work on: the dialog after a run,
// or the dialog's view and model over the High-shaped tree.
class Subject {
public:
    explicit Subject(const QString& row)
    {
        if (row == QLatin1String("high-shaped")) {
            ResultTree tree;
            GrowHighShapedTree(tree);
            model_ = std::make_unique<ResultTreeModel>(std::make_shared<ShownTree>(ShownTree::CopyOf(tree)),
                                                       LoadTreeImages());
            view_ = std::make_unique<ResultTreeView>();
            view_->setModel(model_.get());
            view_->resize(428, 480);
            view_->show();
            view = view_.get();
        } else {
            dialog_ = std::make_unique<GeneratorDialog>(prompts_, kSeed, ".");
            dialog_->show();
            dialog_->findChild<QLineEdit*>(QStringLiteral("numberField"))->setText(QString::number(kSystems));
            dialog_->findChild<QCheckBox*>(QStringLiteral("censusBox"))->setChecked(true);
            dialog_->findChild<QRadioButton*>(row + QLatin1String("Radio"))->setChecked(true);
            dialog_->Generate();
            view = dialog_->findChild<ResultTreeView*>(QStringLiteral("resultTree"));
        }
        QApplication::processEvents();
    }

    void ExpandAll() { dialog_ ? dialog_->ExpandAll() : view->ExpandEverything(); }
    void CollapseAll() { dialog_ ? dialog_->CollapseAll() : view->CollapseVisible(); }

    ResultTreeView* view = nullptr;

private:
    SilentPrompts prompts_;
    std::unique_ptr<GeneratorDialog> dialog_;
    std::unique_ptr<ResultTreeModel> model_;
    std::unique_ptr<ResultTreeView> view_;
};

}  // namespace

class DialogBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void generate_data() { LevelRows(); }
    void generate();
    void engineRun_data() { LevelRows(); }
    void engineRun();

    void expandAll_data() { TreeRows(); }
    void expandAll();
    void qtExpandAll_data() { TreeRows(); }
    void qtExpandAll();
    void collapseAll_data() { TreeRows(); }
    void collapseAll();
    void qtCollapseAll_data() { TreeRows(); }
    void qtCollapseAll();
    void walkCollapse_data()
    {
        // Larger trees take minutes.
        QTest::addColumn<QString>("tree");
        QTest::newRow("low") << QStringLiteral("low");
    }
    void walkCollapse();
    void openLarge();
    void renderLarge();

private:
    static void LevelRows()
    {
        QTest::addColumn<int>("level");
        for (int level = 0; level < 3; ++level) {
            QTest::newRow(kLevelNames[level]) << level;
        }
    }
    static void TreeRows()
    {
        QTest::addColumn<QString>("tree");
        for (const char* name : kLevelNames) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
        QTest::newRow("high-shaped") << QStringLiteral("high-shaped");
    }

    // The reports go to a memory file system where there is one, so the
    // figures measure the program rather than the disk.
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
    QString largeRun_;  // the JSON document of 10,000 High systems with census
};

void DialogBench::initTestCase()
{
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    dir_ = std::make_unique<QTemporaryDir>(base + QStringLiteral("/nexmar-dialog-bench-XXXXXX"));
    QVERIFY(dir_->isValid());
    previousDir_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));

    // The recovery copies of the benchmark's edits stay in its folder.
    qputenv("XDG_DATA_HOME", dir_->filePath(QStringLiteral("data")).toLocal8Bit());
    largeRun_ = dir_->filePath(QStringLiteral("large.json"));
    QVERIFY(bench::WriteLargestOpenedRun(largeRun_.toStdString(), kSeed));
}

namespace {

// The process's peak resident memory so far, in kB.
long PeakMemoryKb()
{
    return bench::ProcessStatusKb("VmHWM:");
}

// The wall time and the processor time (all threads) since the last lap.
class Lap {
public:
    struct Figures {
        long long wallMs;
        long long cpuMs;
    };
    Lap() : cpu_(std::clock()) { wall_.start(); }
    Figures Next() const
    {
        const std::clock_t now = std::clock();
        const Figures figures{wall_.restart(), static_cast<long long>((now - cpu_) * 1000 / CLOCKS_PER_SEC)};
        cpu_ = now;
        return figures;
    }

private:
    mutable QElapsedTimer wall_;
    mutable std::clock_t cpu_;
};

// Resets the peak to the memory in use now, where the kernel allows it.
void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace

void DialogBench::cleanupTestCase()
{
    QDir::setCurrent(previousDir_);
    dir_.reset();
}

void DialogBench::generate()
{
    QFETCH(int, level);
    SilentPrompts prompts;
    GeneratorDialog dialog(prompts, kSeed, ".");
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("numberField"))->setText(QString::number(kSystems));
    dialog.findChild<QCheckBox*>(QStringLiteral("censusBox"))->setChecked(true);
    dialog.findChild<QRadioButton*>(QString::fromLatin1(kLevelNames[level]) + QLatin1String("Radio"))
        ->setChecked(true);
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("generateButton"));
    QApplication::processEvents();
    QBENCHMARK {
        button->click();
        QApplication::processEvents();
    }
}

void DialogBench::engineRun()
{
    QFETCH(int, level);
    SeededDice dice(kSeed);
    ResultTree tree;
    ReportFiles reports(".");
    SilentNotifier notifier;
    QBENCHMARK {
        RunGeneration({{kSystems, static_cast<DetailLevel>(level), true}}, dice, tree, reports, notifier);
    }
}

void DialogBench::expandAll()
{
    QFETCH(QString, tree);
    Subject subject(tree);
    QBENCHMARK_ONCE {
        subject.ExpandAll();
        QApplication::processEvents();
    }
}

void DialogBench::qtExpandAll()
{
    QFETCH(QString, tree);
    Subject subject(tree);
    QBENCHMARK_ONCE {
        subject.view->expandAll();
        QApplication::processEvents();
    }
}

void DialogBench::collapseAll()
{
    QFETCH(QString, tree);
    Subject subject(tree);
    subject.ExpandAll();
    QApplication::processEvents();
    QBENCHMARK_ONCE {
        subject.CollapseAll();
        QApplication::processEvents();
    }
}

void DialogBench::qtCollapseAll()
{
    QFETCH(QString, tree);
    Subject subject(tree);
    subject.view->expandAll();
    QApplication::processEvents();
    QBENCHMARK_ONCE {
        subject.view->collapseAll();
        QApplication::processEvents();
    }
}

// Collapse All as a walk over the visible items from the last one upward:
// the obvious way, shown here for its cost on a large tree.
void DialogBench::walkCollapse()
{
    QFETCH(QString, tree);
    Subject subject(tree);
    subject.view->expandAll();
    QApplication::processEvents();
    QTreeView& view = *subject.view;
    QBENCHMARK_ONCE {
        QModelIndex last = view.model()->index(0, 0);
        for (QModelIndex below = view.indexBelow(last); below.isValid(); below = view.indexBelow(below)) {
            last = below;
        }
        for (QModelIndex item = last; item.isValid(); item = view.indexAbove(item)) {
            view.collapse(item);
        }
        QApplication::processEvents();
    }
}

void DialogBench::openLarge()
{
    const long fileKb = QFileInfo(largeRun_).size() / 1024;
    SilentPrompts prompts;
    prompts.openName = largeRun_;
    GeneratorDialog dialog(prompts, kSeed, ".");
    dialog.show();
    QApplication::processEvents();
    auto* view = dialog.findChild<ResultTreeView*>(QStringLiteral("resultTree"));
    ResetPeakMemory();
    const long before = PeakMemoryKb();
    // Wall time, and the processor time of every thread beside it: on a
    // shared machine the wall time counts the others' work too.
    const Lap lap;
    dialog.OpenJson();
    QApplication::processEvents();
    const Lap::Figures open = lap.Next();
    const long peak = PeakMemoryKb();
    QCOMPARE(view->model()->rowCount(view->model()->index(0, 0)), kMaxOpenedSystems);
    dialog.ExpandAll();
    QApplication::processEvents();
    const Lap::Figures expand = lap.Next();
    dialog.CollapseAll();
    QApplication::processEvents();
    const Lap::Figures collapse = lap.Next();
    // Once a system was closed by hand, the open items it hides stay open
    // through Collapse All, which must then look for them.
    dialog.ExpandAll();
    view->collapse(view->model()->index(0, 0, view->model()->index(0, 0)));
    QApplication::processEvents();
    lap.Next();
    dialog.CollapseAll();
    QApplication::processEvents();
    const Lap::Figures collapseKeeping = lap.Next();
    view->setCurrentIndex(view->model()->index(0, 0, view->model()->index(0, 0)));
    prompts.nameAnswer = QStringLiteral("Vessa Reach");
    lap.Next();
    dialog.RenameSystem();
    const Lap::Figures rename = lap.Next();
    const QDir recovery(RecoveryCopy::UserFolder());
    while (recovery.entryList({QStringLiteral("*.json")}, QDir::Files).isEmpty()) {
        QThread::msleep(1);
    }
    const Lap::Figures copy = lap.Next();
    qInfo("openLarge: a rename waits %lld ms (CPU %lld ms); its recovery copy is written %lld ms later "
          "(CPU %lld ms)", rename.wallMs, rename.cpuMs, copy.wallMs, copy.cpuMs);
    qInfo("openLarge: file %ld kB; open until shown %lld ms (CPU %lld ms), Expand All %lld ms (CPU %lld ms), "
          "Collapse All %lld ms (CPU %lld ms), keeping hidden open items %lld ms (CPU %lld ms); "
          "peak memory grew %ld kB, %.2fx the file",
          fileKb, open.wallMs, open.cpuMs, expand.wallMs, expand.cpuMs, collapse.wallMs, collapse.cpuMs,
          collapseKeeping.wallMs, collapseKeeping.cpuMs, peak - before,
          static_cast<double>(peak - before) / static_cast<double>(fileKb));
    dialog.RerollOthers();
    const Lap::Figures rerollOthers = lap.Next();
    dialog.Undo();
    const Lap::Figures undo = lap.Next();
    view->setCurrentIndex(view->model()->index(0, 0, view->model()->index(0, 0)));
    lap.Next();
    dialog.RerollSystem();
    const Lap::Figures rerollOne = lap.Next();
    dialog.ExpandAll();
    lap.Next();
    dialog.RerollSystem();
    const Lap::Figures rerollExpanded = lap.Next();
    qInfo("openLarge: Reroll Others %lld ms (CPU %lld ms), its Undo %lld ms (CPU %lld ms), Reroll System %lld ms "
          "(CPU %lld ms), the same with every item open %lld ms (CPU %lld ms)",
          rerollOthers.wallMs, rerollOthers.cpuMs, undo.wallMs, undo.cpuMs, rerollOne.wallMs, rerollOne.cpuMs,
          rerollExpanded.wallMs, rerollExpanded.cpuMs);
}

void DialogBench::renderLarge()
{
    QBENCHMARK_ONCE {
        std::variant<LoadedRun, QString> read = ReadRunFile(largeRun_);
        QVERIFY(std::holds_alternative<LoadedRun>(read));
        const std::atomic<bool> cancel{false};
        const LoadedRun& loaded = std::get<LoadedRun>(read);
        RenderRun({kMaxOpenedSystems, DetailLevel::High, true, kSeed}, ".",
                  [&loaded](ResultTree& tree, ReportFiles& reports, Notifier& notifier, const SystemDone& done,
                            std::span<RunOutput* const> observers) {
                      RenderLoadedRun(loaded, tree, reports, notifier, done, observers);
                  },
                  cancel, [](int) {});
    }
}

}  // namespace nexmar

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    nexmar::DialogBench bench;
    return nexmar::bench::RunMedianOfSeven(bench);
}

#include "dialog_bench.moc"
