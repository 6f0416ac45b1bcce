#include <QAction>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QStatusBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QCheckBox>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

#include <cmath>
#include <string>
#include <vector>

#include "app/map/map_export.h"
#include "app/map/map_pane.h"
#include "support/cli_runner.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// The sector map beside the tree: clicked, it selects in the tree; the tree
// selects on it; Export Map writes what nexmar-cli --map writes; Player View
// shows the players' map and nothing more.
class MapPaneTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(5150); }
    void cleanup() { Stop(); }

    void aClickOnASystemSelectsItInTheTree();
    void theSystemSelectedInTheTreeIsRingedOnTheMap();
    void exportMapWritesWhatTheCommandLineWrites_data();
    void exportMapWritesWhatTheCommandLineWrites();
    void printSubsectorsPrintsAPageForEachSubsectorSpanned();
    void playerViewsMapHoldsNoMarkerOfASecret();

private:
    MapPane& Pane() const { return *Find<MapPane>("mapPane"); }
    void RunHigh(const char* count)
    {
        Find<QRadioButton>("highRadio")->setChecked(true);
        Run(QString::fromLatin1(count));
    }
    void Keys(const char* keys) { QTest::keySequence(Tree(), QKeySequence(QString::fromLatin1(keys))); }
    void Select(std::size_t place)
    {
        Tree()->setFocus();
        Tree()->setCurrentIndex(Tree()->model()->index(static_cast<int>(place), 0, Root()));
    }
    // The place of the system holding the tree's current item.
    int CurrentPlace() const
    {
        QModelIndex item = Tree()->currentIndex();
        while (item.parent() != Root()) {
            item = item.parent();
        }
        return item.row();
    }
    // How many pixels of the pane, on a circle round centre, are of colour.
    static int PixelsOnCircle(const QImage& image, QPointF centre, double radius, QColor colour)
    {
        int hits = 0;
        for (int step = 0; step < 72; ++step) {
            const double angle = step * 3.14159265358979 / 36;
            const QPoint at(qRound(centre.x() + radius * std::cos(angle)), qRound(centre.y() + radius * std::sin(angle)));
            const QColor seen = image.pixelColor(at * image.devicePixelRatio());
            hits += std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green()) +
                            std::abs(seen.blue() - colour.blue()) < 40;
        }
        return hits;
    }
    QByteArray ReadAll(const QString& name) const
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString ToolTipAt(QPointF at)
    {
        QHelpEvent help(QEvent::ToolTip, at.toPoint(), Pane().mapToGlobal(at.toPoint()));
        QApplication::sendEvent(&Pane(), &help);
        return QToolTip::text();
    }
};

void MapPaneTest::aClickOnASystemSelectsItInTheTree()
{
    Run(QStringLiteral("200"));
    Keys("Ctrl+M");
    QVERIFY(Pane().isVisible());
    const std::vector<std::size_t> drawn = Pane().Map().places;
    QCOMPARE(drawn.size(), std::size_t{200});
    for (const std::size_t place : {drawn[0], drawn[77], drawn[199]}) {
        const QPointF centre = *Pane().PointOf(place);
        QTest::mouseClick(&Pane(), Qt::LeftButton, {}, centre.toPoint());
        QCOMPARE(CurrentPlace(), static_cast<int>(place));
    }
    // A click off every system, in the pane's corner, selects none.
    const QModelIndex before = Tree()->currentIndex();
    QTest::mouseClick(&Pane(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(Tree()->currentIndex(), before);
    // A drag pans and selects nothing.
    const QPointF start = *Pane().PointOf(drawn[5]);
    QTest::mousePress(&Pane(), Qt::LeftButton, {}, start.toPoint());
    QTest::mouseMove(&Pane(), (start + QPointF(40, 30)).toPoint());
    QTest::mouseRelease(&Pane(), Qt::LeftButton, {}, (start + QPointF(40, 30)).toPoint());
    QCOMPARE(Tree()->currentIndex(), before);
    QCOMPARE(*Pane().PointOf(drawn[5]), start + QPointF(40, 30));

    // The systems a find keeps are ringed; one it leaves out of the tree is
    // not selected by a click, which says why.
    Action("findAction")->trigger();
    Find<QLineEdit>("findField")->setText(QStringLiteral("system.number <= 3"));
    QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_Return);
    const QImage found = Pane().grab().toImage();
    const QColor orange(0xE6, 0x9F, 0x00);
    const auto ringRadius = [this](std::size_t place) {
        const MapSystem& system = Pane().Map().input.systems[*Pane().Map().IndexOfPlace(place)];
        return kMapStyle.glyphRadius[static_cast<std::size_t>(system.sizeClass)] * Pane().Scale() + 7;
    };
    for (const std::size_t place : {0, 1, 2}) {
        QVERIFY(PixelsOnCircle(found, *Pane().PointOf(place), ringRadius(place), orange) > 12);
    }
    QCOMPARE(PixelsOnCircle(found, *Pane().PointOf(9), ringRadius(9), orange), 0);
    const QModelIndex kept = Tree()->currentIndex();
    QTest::mouseClick(&Pane(), Qt::LeftButton, {}, Pane().PointOf(9)->toPoint());
    QCOMPARE(Tree()->currentIndex(), kept);
    QCOMPARE(Find<QStatusBar>("statusBar")->currentMessage(),
             QStringLiteral("System 10 is not among the systems the find keeps"));
}

void MapPaneTest::theSystemSelectedInTheTreeIsRingedOnTheMap()
{
    // More than a sector holds at Standard density, opened from its
    // document: the map turns to the sector of the system selected.
    QCOMPARE(testing::RunNexmarCli({"--seed", "5150", "--systems", "700", "--dir", Dir().toStdString(), "--json",
                                    InDir("sector.json").toStdString()})
                 .status,
             0);
    prompts.nextOpenName = InDir("sector.json");
    Dialog().OpenJson();
    Keys("Ctrl+M");
    QCOMPARE(Pane().Map().sectors, 2);
    std::size_t inSecond = 0;
    while (Pane().Map().IndexOfPlace(inSecond)) {
        ++inSecond;
    }
    const std::size_t inFirst = Pane().Map().places[3];
    const QColor ring(0x00, 0x72, 0xB2);
    for (const std::size_t place : {inFirst, inSecond, inFirst}) {
        Select(place);
        QVERIFY(Pane().PointOf(place));
        const MapSystem& system = Pane().Map().input.systems[*Pane().Map().IndexOfPlace(place)];
        const double radius = kMapStyle.glyphRadius[static_cast<std::size_t>(system.sizeClass)] * Pane().Scale() + 3.5;
        const QImage shown = Pane().grab().toImage();
        QVERIFY2(PixelsOnCircle(shown, *Pane().PointOf(place), radius, ring) > 36, "no ring round the system");
        const std::size_t other = Pane().Map().places[Pane().Map().places[0] == place ? 1 : 0];
        QCOMPARE(PixelsOnCircle(shown, *Pane().PointOf(other), radius, ring), 0);
    }
    QCOMPARE(Pane().Map().sector, 1);
}

void MapPaneTest::exportMapWritesWhatTheCommandLineWrites_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("players");
    QTest::newRow("a run as rolled") << false << false;
    QTest::newRow("a sector edited") << true << false;
    QTest::newRow("the players' map") << true << true;
}

void MapPaneTest::exportMapWritesWhatTheCommandLineWrites()
{
    QFETCH(bool, edited);
    QFETCH(bool, players);
    RunHigh("40");
    std::vector<std::string> args = {"--seed", "5150", "--systems", "40", "--detail", "high"};
    if (edited) {
        Select(3);
        prompts.nameAnswers = {QStringLiteral("Vessa Reach")};
        Keys("F2");
        Keys("Ctrl+2");
        Select(5);
        Keys("Ctrl+3");
        prompts.nextFileName = InDir("sector.json");
        Keys("Ctrl+Shift+S");
        args = {"--from-json", InDir("sector.json").toStdString()};
    }
    if (players) {
        Keys("F4");
        args.push_back("--player");
    }
    prompts.nextFileName = InDir("map.svg");
    Action("exportMapAction")->trigger();
    args.insert(args.end(), {"--dir", Dir().toStdString(), "--map", InDir("cli-map.svg").toStdString()});
    QCOMPARE(testing::RunNexmarCli(args).status, 0);
    const QByteArray exported = ReadAll(InDir("map.svg"));
    QVERIFY(!exported.isEmpty());
    QCOMPARE(exported, ReadAll(InDir("cli-map.svg")));
    QCOMPARE(exported.contains("Vessa Reach"), edited);
    if (edited) {
        return;
    }
    prompts.nextFileName = InDir("map.png");
    Action("exportMapAction")->trigger();
    // Twice the map's width, whatever its legend's height.
    QCOMPARE(QImage(InDir("map.png")).width(), 2230);
    prompts.nextFileName = InDir("map.txt");
    Action("exportMapAction")->trigger();
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kMapFormatRefused)});
    QVERIFY(!QFile::exists(InDir("map.txt")));
}

void MapPaneTest::printSubsectorsPrintsAPageForEachSubsectorSpanned()
{
    // 60 systems at Standard density span two subsectors, A and B.
    Run(QStringLiteral("60"));
    prompts.printTo = InDir("subsectors.pdf");
    Action("printSubsectorsAction")->trigger();
    QCOMPARE(ReadAll(InDir("subsectors.pdf")).count("/Type /Page\n"), 2);
    // Print Map: the whole sector on one page.
    prompts.printTo = InDir("sector.pdf");
    Action("printMapAction")->trigger();
    QCOMPARE(ReadAll(InDir("sector.pdf")).count("/Type /Page\n"), 1);
}

// With marker words in a Secret system's name, in a name hidden from the
// players and in a referee's note, the players' map holds none of them in
// any byte, nor in a tooltip; the referee's map holds them.
void MapPaneTest::playerViewsMapHoldsNoMarkerOfASecret()
{
    RunHigh("12");
    Select(1);
    prompts.nameAnswers = {QStringLiteral("Zorblaxia")};
    Keys("F2");
    Keys("Ctrl+3");
    Select(2);
    prompts.nameAnswers = {QStringLiteral("Quexhollow")};
    Keys("F2");
    prompts.hiddenAnswers = {PlayerFields{PlayerField::Name}};
    Keys("Ctrl+H");
    Keys("F9");
    Find<QPlainTextEdit>("notesEditor")->setPlainText(QStringLiteral("Vantablur lurks"));
    Keys("Ctrl+M");
    const QStringList markers = {"Zorblaxia", "Quexhollow"};
    for (const QString& marker : markers) {
        QVERIFY2(QByteArray::fromStdString(Pane().Map().svg).contains(marker.toUtf8()), qPrintable(marker));
    }
    // The tooltip: the system's name and hex, and its first line in the tree.
    const QString refereesTip = ToolTipAt(*Pane().PointOf(2));
    const QModelIndex third = Tree()->model()->index(2, 0, Root());
    QVERIFY(refereesTip.contains(QStringLiteral("System 3: Quexhollow (")));
    QVERIFY(refereesTip.contains(Tree()->model()->index(0, 0, third).data().toString()));

    // A click where the Secret system was, before the players' map is
    // painted, finds no system there.
    const QPointF secretAt = *Pane().PointOf(1);
    Keys("F4");
    const QModelIndex current = Tree()->currentIndex();
    QTest::mouseClick(&Pane(), Qt::LeftButton, {}, secretAt.toPoint());
    QCOMPARE(Tree()->currentIndex(), current);
    QVERIFY(!Find<QStatusBar>("statusBar")->currentMessage().contains(QStringLiteral("System 2")));
    const QByteArray map = QByteArray::fromStdString(Pane().Map().svg);
    QVERIFY(!Pane().PointOf(1));
    QVERIFY(Pane().PointOf(2));
    const QString tip = ToolTipAt(*Pane().PointOf(2));
    QVERIFY(tip.contains(QString::fromStdString(HexNumber(Pane().Map().input.systems[*Pane().Map().IndexOfPlace(2)].place))));
    prompts.nextFileName = InDir("players.svg");
    Action("exportMapAction")->trigger();
    const QByteArray exported = ReadAll(InDir("players.svg"));
    QCOMPARE(exported, map);
    for (const QString& marker : markers + QStringList{"Vantablur"}) {
        QVERIFY2(!map.contains(marker.toUtf8()) && !tip.contains(marker), qPrintable(marker));
    }
    // Selecting the Secret system's place shows nothing of it.
    Pane().SelectSystem(1);
    QVERIFY(!Pane().PointOf(1));
}

}  // namespace nexmar

QTEST_MAIN(nexmar::MapPaneTest)
#include "map_pane_test.moc"
