#include <QSignalSpy>
#include <QTest>
#include <QtTest/QAbstractItemModelTester>

#include <random>

#include "app/kit/artwork.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "model/shown_tree.h"

namespace nexmar {

class ResultTreeTest : public QObject {
    Q_OBJECT

private slots:
    void theModelShowsTheTreeWithItsImages();
    void showingATreeResetsTheModelOnceAndLetsTheOldOneGo();
    void aTreeCopiedSystemBySystemMatchesTheEngineTree();
    void expandEverythingMatchesTheItemByItemWalk();
    void collapseVisibleMatchesTheItemByItemWalk();
};

namespace {

// A tree of random shape and texts, with both placements under one parent
// kind as the generators use them.
void GrowRandomTree(ResultTree& tree, std::mt19937& random, ItemId parent, int depth)
{
    const int children = depth == 0 ? 1 : static_cast<int>(random() % 5);
    const bool sorted = random() % 2 == 0;
    for (int i = 0; i < children; ++i) {
        const std::string text = std::string(1, static_cast<char>('a' + random() % 26)) + std::to_string(i);
        const ItemId item = tree.Insert(parent, text, static_cast<TreeImage>(random() % kTreeImageCount),
                                        sorted ? Placement::Sorted : Placement::Last);
        if (depth < 4) {
            GrowRandomTree(tree, random, item, depth + 1);
        }
    }
}

std::shared_ptr<const ShownTree> Shown(const ResultTree& tree)
{
    return std::make_shared<ShownTree>(ShownTree::CopyOf(tree));
}

void ForEachIndex(const QAbstractItemModel& model, const QModelIndex& parent,
                  const std::function<void(const QModelIndex&)>& visit)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        visit(child);
        ForEachIndex(model, child, visit);
    }
}

// The same random mix of open and closed branches, hidden ones included, in both views.
void ExpandAtRandom(QTreeView& first, QTreeView& second, unsigned seed)
{
    std::mt19937 random(seed);
    ForEachIndex(*first.model(), {}, [&](const QModelIndex& index) {
        if (random() % 2 == 0) {
            first.expand(index);
            second.expand(index);
        }
    });
}

QList<bool> ExpansionOf(const QTreeView& view)
{
    QList<bool> states;
    ForEachIndex(*view.model(), {}, [&](const QModelIndex& index) { states << view.isExpanded(index); });
    return states;
}

// The random tree of treeSeed in two views of one model, with the same
// random branches of expandSeed open: one for the item-by-item walk, one
// for the view's own expand and collapse.
struct WalkedAndOurs {
    WalkedAndOurs(unsigned treeSeed, unsigned expandSeed) : model(GrownTree(treeSeed), {})
    {
        walked.setModel(&model);
        ours.setModel(&model);
        ExpandAtRandom(walked, ours, expandSeed);
    }
    static std::shared_ptr<const ShownTree> GrownTree(unsigned seed)
    {
        ResultTree tree;
        std::mt19937 random(seed);
        GrowRandomTree(tree, random, kNoItem, 0);
        return Shown(tree);
    }

    ResultTreeModel model;
    ResultTreeView walked;
    ResultTreeView ours;
};

}  // namespace

void ResultTreeTest::theModelShowsTheTreeWithItsImages()
{
    ResultTree built;
    const ItemId root = built.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    const ItemId system = built.Insert(root, "System 1", TreeImage::System, Placement::Last);
    AddStatItem(built, "Raw", 2, TreeImage::Blank, system);
    AddStatItem(built, "Capacity", 6, TreeImage::Blank, system);
    AddStatItem(built, "Base stats: Colony/Minor", NO_VALUE, TreeImage::Blank, system);
    built.Insert(system, "Moon 1", TreeImage::Moon, Placement::Last);
    auto tree = Shown(built);
    const QList<QIcon> images = LoadTreeImages();
    QCOMPARE(images.size(), kTreeImageCount);
    for (const QIcon& image : images) {
        QVERIFY(!image.isNull());
        QCOMPARE(image.availableSizes().value(0), QSize(16, 16));
    }
    ResultTreeModel model(tree, images);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The model shares the tree: what it shows outlives the caller's pointer.
    tree.reset();

    QCOMPARE(model.rowCount(), 1);
    const QModelIndex rootIndex = model.index(0, 0);
    const QModelIndex systemIndex = model.index(0, 0, rootIndex);
    QCOMPARE(systemIndex.data().toString(), QStringLiteral("System 1"));
    QCOMPARE(model.rowCount(systemIndex), 4);
    const QStringList expected{"Base stats: Colony/Minor", "Capacity: 6", "Raw: 2", "Moon 1"};
    for (int row = 0; row < 4; ++row) {
        const QModelIndex line = model.index(row, 0, systemIndex);
        QCOMPARE(line.data().toString(), expected[row]);
        QCOMPARE(line.parent(), systemIndex);
    }
    const auto imageOf = [&](const QModelIndex& index) {
        return index.data(Qt::DecorationRole).value<QIcon>().cacheKey();
    };
    QCOMPARE(imageOf(rootIndex), images[ImageIndex(TreeImage::Blank)].cacheKey());
    QCOMPARE(imageOf(systemIndex), images[ImageIndex(TreeImage::System)].cacheKey());
    QCOMPARE(imageOf(model.index(3, 0, systemIndex)), images[ImageIndex(TreeImage::Moon)].cacheKey());
    QVERIFY(!model.index(4, 0, systemIndex).isValid());
    // A second column holds the names beside the systems, and nothing beside their rows.
    QVERIFY(!model.index(0, 2, systemIndex).isValid());
    QVERIFY(!model.index(0, 1, systemIndex).data().isValid());
    QVERIFY(!(model.flags(systemIndex) & (Qt::ItemIsDragEnabled | Qt::ItemIsEditable)));
}

void ResultTreeTest::showingATreeResetsTheModelOnceAndLetsTheOldOneGo()
{
    ResultTreeModel model(std::make_shared<ShownTree>(), LoadTreeImages());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    ResultTree built;
    std::mt19937 random(5);
    GrowRandomTree(built, random, kNoItem, 0);
    auto grown = Shown(built);
    const std::weak_ptr<const ShownTree> shown = grown;
    model.Show(std::move(grown));
    QCOMPARE(resets.size(), 1);
    QCOMPARE(inserts.size(), 0);
    QCOMPARE(model.rowCount(), 1);
    model.Show(std::make_shared<ShownTree>());
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(shown.expired());
}

namespace {

// Every item of the engine's subtree at item, and of the copy's at copy, alike.
void CompareSubtrees(const ResultTree& tree, ItemId item, const ShownTree& copy, ItemId copied)
{
    const ResultTree::Item& expected = tree.at(item);
    const ShownTree::Item actual = copy.at(copied);
    QCOMPARE(actual.text, std::string_view(expected.text));
    QCOMPARE(actual.image, expected.image);
    QCOMPARE(actual.row, expected.row);
    QCOMPARE(actual.children.size(), expected.children.size());
    for (std::size_t row = 0; row < expected.children.size(); ++row) {
        QCOMPARE(copy.at(actual.children[row]).parent, copied);
        CompareSubtrees(tree, expected.children[row], copy, actual.children[row]);
    }
}

}  // namespace

// As a run renders: each finished system is copied, then dropped from the
// engine's tree, which the next system reuses.
void ResultTreeTest::aTreeCopiedSystemBySystemMatchesTheEngineTree()
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        ResultTree whole;
        ResultTree building;
        ShownTree copy;
        std::mt19937 wholeRandom(seed);
        std::mt19937 buildingRandom(seed);
        const ItemId root = whole.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
        building.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
        const int systems = static_cast<int>(seed % 6);
        for (int n = 1; n <= systems; ++n) {
            const std::string label = "System " + std::to_string(n);
            GrowRandomTree(whole, wholeRandom, whole.Insert(root, label, TreeImage::System, Placement::Last), 2);
            const ItemId system = building.Insert(root, label, TreeImage::System, Placement::Last);
            GrowRandomTree(building, buildingRandom, system, 2);
            copy.AddSystem(building, system);
            building.DropFrom(system);
        }
        copy.AddTopLevel(building);
        QCOMPARE(copy.size(), whole.size());
        QCOMPARE(copy.Children(kNoItem).size(), std::size_t{1});
        QCOMPARE(copy.at(copy.Children(kNoItem)[0]).parent, kNoItem);
        CompareSubtrees(whole, root, copy, copy.Children(kNoItem)[0]);
    }
}

// Expand every item from the first, each before looking for the next visible one.
void ResultTreeTest::expandEverythingMatchesTheItemByItemWalk()
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        WalkedAndOurs views(seed, seed);
        ResultTreeView& walked = views.walked;
        ResultTreeView& ours = views.ours;

        for (QModelIndex item = views.model.index(0, 0); item.isValid(); item = walked.indexBelow(item)) {
            walked.expand(item);
        }
        ours.ExpandEverything();
        QCOMPARE(ExpansionOf(ours), ExpansionOf(walked));
    }
}

// Collapse every visible item from the last one upward.
void ResultTreeTest::collapseVisibleMatchesTheItemByItemWalk()
{
    int changed = 0;
    int keptHiddenOpen = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        WalkedAndOurs views(seed, seed * 7);
        ResultTreeView& walked = views.walked;
        ResultTreeView& ours = views.ours;
        const QList<bool> before = ExpansionOf(ours);

        QModelIndex last = views.model.index(0, 0);
        while (walked.indexBelow(last).isValid()) {
            last = walked.indexBelow(last);
        }
        for (QModelIndex item = last; item.isValid(); item = walked.indexAbove(item)) {
            walked.collapse(item);
        }
        ours.CollapseVisible();
        const QList<bool> after = ExpansionOf(ours);
        QCOMPARE(after, ExpansionOf(walked));
        changed += before != after ? 1 : 0;
        keptHiddenOpen += after.contains(true) ? 1 : 0;
    }
    // Not trivially so: trees where something collapsed, and trees where a
    // hidden branch kept its open state.
    QVERIFY(changed > 5);
    QVERIFY(keptHiddenOpen > 5);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::ResultTreeTest)
#include "result_tree_model_test.moc"
