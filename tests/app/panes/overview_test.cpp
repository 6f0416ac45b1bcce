#include <QAbstractItemModel>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog/generator_dialog.h"
#include "support/cli_runner.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// The sector overview: a row for each system the tree shows, read from the
// run's own document, sorted, filtered and leading to the tree.
class OverviewTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(7); }
    void cleanup() { Stop(); }

    void rowsSortFilterAndLeadToTheTree();
    void followsTheTreesChoiceAndEveryRenameUndoneOrRedone();
    void hexesAreTheMapsAndSortAsTheyRead();

private:
    enum Column {
        kNumber = 0,
        kName = 1,
        kHex = 2,
        kObjects = 4,
        kMoons = 5,
        kGaiaWorlds = 6,
        kTotalRaw = 8,
        kSpecials = 9
    };
    QTableView* Table() const { return Find<QTableView>("overviewTable"); }
    int Cell(int row, int column) const { return Table()->model()->index(row, column).data().toInt(); }
    std::set<int> TableNumbers() const
    {
        std::set<int> numbers;
        for (int row = 0; row < Table()->model()->rowCount(); ++row) {
            numbers.insert(Cell(row, kNumber));
        }
        return numbers;
    }
    std::set<int> TreeNumbers() const
    {
        std::set<int> numbers;
        for (int row = 0; row < Tree()->model()->rowCount(Root()); ++row) {
            numbers.insert(Root().model()->index(row, 0, Root()).data().toString().mid(7).toInt());
        }
        return numbers;
    }
    std::string DocumentText() const
    {
        std::string json;
        Dialog().Session().WriteJson([&json](std::string_view text) { json.append(text); }, std::atomic<bool>{false},
                                     [](int) {});
        return json;
    }
    nlohmann::json Document() const { return nlohmann::json::parse(DocumentText()); }
};

void OverviewTest::rowsSortFilterAndLeadToTheTree()
{
    Find<QRadioButton>("highRadio")->setChecked(true);
    Run(QStringLiteral("60"));
    Action("overviewAction")->trigger();
    QCOMPARE(Table()->model()->rowCount(), 60);

    // Each row says what the run's document holds, in the run's order.
    const nlohmann::json document = Document();
    int row = 0;
    for (const auto& system : document["systems"]) {
        int objects = 0, moons = 0, gaiaWorlds = 0, raw = 0;
        for (const auto& component : system["components"]) {
            for (const auto& object : component["objects"]) {
                ++objects;
                gaiaWorlds += object.value("gaiaWorld", false) ? 1 : 0;
                raw += object["raw"].get<int>();
                moons += static_cast<int>(object["moons"].size());
                for (const auto& moon : object["moons"]) {
                    raw += moon["raw"].get<int>();
                }
            }
        }
        QCOMPARE(Cell(row, kNumber), system["number"].get<int>());
        QCOMPARE(Table()->model()->index(row, kName).data().toString().toStdString(),
                 system["name"].get<std::string>());
        QCOMPARE(Cell(row, kObjects), objects);
        QCOMPARE(Cell(row, kMoons), moons);
        QCOMPARE(Cell(row, kGaiaWorlds), gaiaWorlds);
        QCOMPARE(Cell(row, kTotalRaw), raw);
        ++row;
    }

    // Numbers sort as numbers: 9 before 10 and 100, not after.
    Table()->sortByColumn(kTotalRaw, Qt::DescendingOrder);
    for (int r = 1; r < Table()->model()->rowCount(); ++r) {
        QVERIFY2(Cell(r - 1, kTotalRaw) >= Cell(r, kTotalRaw), qPrintable(QString::number(r)));
    }
    QVERIFY(Cell(0, kTotalRaw) >= 10 && Cell(59, kTotalRaw) < Cell(0, kTotalRaw));

    // A find keeps the same systems in the table as in the tree.
    Action("findAction")->trigger();
    Find<QLineEdit>("findField")->setText(QStringLiteral("type = \"Gas Giant\" and capacity >= 8"));
    QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_Return);
    const std::set<int> shown = TreeNumbers();
    QVERIFY(!shown.empty() && shown.size() < 60);
    QCOMPARE(TableNumbers(), shown);

    // Choosing a row makes its system the tree's current item.
    const int chosen = Cell(Table()->model()->rowCount() - 1, kNumber);
    Table()->setCurrentIndex(Table()->model()->index(Table()->model()->rowCount() - 1, 1));
    QVERIFY(Tree()->currentIndex().parent() == Root());
    QCOMPARE(Tree()->currentIndex().data().toString().mid(7).section(QLatin1Char(' '), 0, 0).toInt(), chosen);

    // The pane shares the tree's window; F8 hides it again.
    QCOMPARE(Table()->window(), &Dialog());
    QVERIFY(Action("overviewAction")->isChecked());
    Action("overviewAction")->trigger();
    QVERIFY(!Table()->isVisible() && !Action("overviewAction")->isChecked());
}

void OverviewTest::followsTheTreesChoiceAndEveryRenameUndoneOrRedone()
{
    Find<QRadioButton>("mediumRadio")->setChecked(true);
    Run(QStringLiteral("30"));
    Action("overviewAction")->trigger();
    Table()->sortByColumn(kName, Qt::AscendingOrder);
    const auto currentNumber = [this] { return Cell(Table()->currentIndex().row(), kNumber); };
    const auto nameOf = [this](int number) {
        for (int row = 0; row < Table()->model()->rowCount(); ++row) {
            if (Cell(row, kNumber) == number) {
                return Table()->model()->index(row, kName).data().toString();
            }
        }
        return QString();
    };

    // The system chosen in the tree, or anything inside it, is the row chosen here.
    Tree()->setFocus();
    Tree()->setCurrentIndex(Root().model()->index(6, 0, Root()));
    QCOMPARE(currentNumber(), 7);
    Tree()->setCurrentIndex(Root().model()->index(0, 0, Root().model()->index(11, 0, Root())));
    QCOMPARE(currentNumber(), 12);
    QCOMPARE(Table()->selectionModel()->selectedRows().size(), 1);

    // A rename shows at once, and so does its undo and redo; the row stays chosen.
    const QString generated = nameOf(12);
    prompts.nameAnswers = {QStringLiteral("Aaa Deep")};
    QTest::keyClick(Tree(), Qt::Key_F2);
    QCOMPARE(nameOf(12), QStringLiteral("Aaa Deep"));
    QCOMPARE(currentNumber(), 12);
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(nameOf(12), generated);
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Y")));
    QCOMPARE(nameOf(12), QStringLiteral("Aaa Deep"));
    QCOMPARE(Cell(0, kNumber), 12);  // sorted by name still
    QCOMPARE(currentNumber(), 12);

    // "Special: None" is no special, and no cell repeats the label the
    // tree's special lines start with.
    int specials = 0;
    for (int row = 0; row < Table()->model()->rowCount(); ++row) {
        const QString cell = Table()->model()->index(row, kSpecials).data().toString();
        QVERIFY(!cell.contains(QStringLiteral("None")));
        QVERIFY2(!cell.contains(QStringLiteral("Special:")), qPrintable(cell));
        specials += cell.isEmpty() ? 0 : 1;
    }
    QVERIFY(specials > 0);
}

void OverviewTest::hexesAreTheMapsAndSortAsTheyRead()
{
    // Enough systems for a map of two sectors, whose hexes name their sector.
    QCOMPARE(testing::RunNexmarCli({"--seed", "5150", "--systems", "700", "--dir", Dir().toStdString(), "--json",
                                    InDir("sector.json").toStdString()})
                 .status,
             0);
    prompts.nextOpenName = InDir("sector.json");
    Dialog().OpenJson();
    QTRY_VERIFY_WITH_TIMEOUT(Dialog().Session().HasRun(), 30000);
    Action("overviewAction")->trigger();
    std::string json = DocumentText();
    using SectorHex = std::pair<int, std::string>;
    std::map<int, SectorHex> hexes;
    std::set<SectorHex> held;
    const nlohmann::json document = nlohmann::json::parse(json);
    for (const auto& system : document["systems"]) {
        const SectorHex hex{system.value("sector", 1), system["hex"].get<std::string>()};
        hexes[system["number"].get<int>()] = hex;
        held.insert(hex);
    }
    QCOMPARE(held.rbegin()->first, 2);
    const auto cellOf = [this](int row) { return Table()->model()->index(row, kHex).data().toString(); };
    const auto written = [](const SectorHex& hex) {
        return QString::fromStdString(hex.second) + QLatin1Char('/') + QString::number(hex.first);
    };

    // Each row's hex is the one the document (and so the map) gives; sorted,
    // by sector, then column, then row, as the numbers read, not as texts
    // would ("0101/2" after "3240/1").
    Table()->sortByColumn(kHex, Qt::AscendingOrder);
    std::vector<SectorHex> sorted;
    for (int row = 0; row < Table()->model()->rowCount(); ++row) {
        const SectorHex& hex = hexes.at(Cell(row, kNumber));
        QCOMPARE(cellOf(row), written(hex));
        sorted.push_back(hex);
    }
    QCOMPARE(sorted.size(), hexes.size());
    QVERIFY(std::is_sorted(sorted.begin(), sorted.end()));

    // A system the referee moved (to a free hex of subsector A of its
    // sector, which every map holds) shows at its new hex.
    const SectorHex from = hexes.at(1);
    SectorHex to = from;
    for (int index = 0; held.contains(to); ++index) {
        to.second = QStringLiteral("%1%2")
                        .arg(index / 10 + 1, 2, 10, QLatin1Char('0'))
                        .arg(index % 10 + 1, 2, 10, QLatin1Char('0'))
                        .toStdString();
    }
    const std::string before = "\"hex\":\"" + from.second + "\"";
    QCOMPARE(json.find(before), json.rfind(before));
    json.replace(json.find(before), before.size(), "\"hex\":\"" + to.second + "\"");
    QFile moved(InDir(QStringLiteral("moved.json")));
    QVERIFY(moved.open(QIODevice::WriteOnly));
    QCOMPARE(moved.write(json.data(), static_cast<qint64>(json.size())), static_cast<qint64>(json.size()));
    moved.close();
    prompts.nextOpenName = moved.fileName();
    Dialog().OpenJson();
    const auto movedRead = [this] {
        const SystemEdits* edits = Dialog().Session().Records().Edits().Find(1);
        return edits != nullptr && edits->hex.has_value();
    };
    QTRY_VERIFY_WITH_TIMEOUT(movedRead(), 30000);
    QCOMPARE(prompts.messages, QStringList());
    QCOMPARE(Table()->model()->rowCount(), 700);
    for (int row = 0; row < Table()->model()->rowCount(); ++row) {
        QCOMPARE(cellOf(row), written(Cell(row, kNumber) == 1 ? to : hexes.at(Cell(row, kNumber))));
    }
}

}  // namespace nexmar

QTEST_MAIN(nexmar::OverviewTest)
#include "overview_test.moc"
