#include <QAction>
#include <QFile>
#include <QLabel>
#include <QImage>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <string>
#include <variant>

#include "app/dialog/generator_dialog.h"
#include "app/panes/picture_pane.h"
#include "json/json_import.h"
#include "picture/system_picture.h"
#include "support/cli_runner.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// The picture of the selected system beside the tree, and Export Picture.
class PicturePaneTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4321); }
    void cleanup() { Stop(); }

    void theSelectedSystemsPictureIsTheEnginesSvg_data();
    void theSelectedSystemsPictureIsTheEnginesSvg();
    void thePictureSharesTheTreesPlaceWhenShown();
    void thePictureIsOfTheSystemFoundNotOfItsRow();
    void thePictureIsLegibleAndZooms();
    void exportPictureWritesSvgAndTwiceSizedPng();
    void thePictureIsTheFileNexmarCliWrites_data();
    void thePictureIsTheFileNexmarCliWrites();
    void theTitleAndTheNotesNameTheSystemsHex();

private:
    QByteArray Shown() const { return Dialog().findChild<SystemPictureView*>("pictureView")->Svg(); }
    // An item deep inside system number, as a user clicking there would pick.
    QModelIndex DeepestFirstItemOf(int number) const
    {
        QModelIndex item = Tree()->model()->index(number - 1, 0, Root());
        while (Tree()->model()->rowCount(item) > 0) {
            item = Tree()->model()->index(0, 0, item);
        }
        return item;
    }
    // The records of the run shown, read back from its own JSON document.
    LoadedRun ExportedRecords()
    {
        prompts.nextFileName = InDir("records.json");
        Dialog().ExportJson();
        std::ifstream in(InDir("records.json").toStdString(), std::ios::binary);
        auto loaded = LoadJsonRun(in, 200);
        if (!std::holds_alternative<LoadedRun>(loaded)) {
            qFatal("the dialog's JSON document does not read back");
        }
        return std::get<LoadedRun>(std::move(loaded));
    }
};

void PicturePaneTest::theSelectedSystemsPictureIsTheEnginesSvg_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<bool>("census");
    QTest::newRow("Low") << "lowRadio" << false;
    QTest::newRow("Medium with census") << "mediumRadio" << true;
    QTest::newRow("High") << "highRadio" << false;
}

void PicturePaneTest::theSelectedSystemsPictureIsTheEnginesSvg()
{
    QFETCH(QString, level);
    QFETCH(bool, census);
    Find<QAbstractButton>(qPrintable(level))->click();
    Find<QAbstractButton>("censusBox")->setChecked(census);
    Run(QStringLiteral("6"));
    Action("showPictureAction")->trigger();
    const LoadedRun records = ExportedRecords();
    for (int number : {1, 4, 6}) {
        Tree()->setCurrentIndex(DeepestFirstItemOf(number));
        const std::string expected = SystemSvg(number, records.systems[number - 1], records.edits.Name(number));
        QCOMPARE(Shown(), QByteArray::fromStdString(expected));
    }
    // A run opened from its document is drawn the same.
    Tree()->setCurrentIndex(DeepestFirstItemOf(4));
    const QByteArray fourth = Shown();
    prompts.nextOpenName = InDir("records.json");
    Dialog().OpenJson();
    QVERIFY(Shown().isEmpty());
    Tree()->setCurrentIndex(DeepestFirstItemOf(4));
    QCOMPARE(Shown(), fourth);
    // The root belongs to no system; a refused run starts nothing, so the
    // picture shown stays.
    Tree()->setCurrentIndex(Root());
    QVERIFY(Shown().isEmpty());
    QVERIFY(!Action("exportPictureAction")->isEnabled());
    Tree()->setCurrentIndex(DeepestFirstItemOf(2));
    QVERIFY(Action("exportPictureAction")->isEnabled());
    const QByteArray second = Shown();
    Run(QStringLiteral("x"));
    QCOMPARE(Shown(), second);
    QVERIFY(Action("exportPictureAction")->isEnabled());
}

void PicturePaneTest::thePictureSharesTheTreesPlaceWhenShown()
{
    Run(QStringLiteral("3"));
    auto* splitter = Find<QSplitter>("pictureSplitter");
    auto* view = Find<QWidget>("pictureView");
    const QSize opening = Dialog().size();
    const QRect treePlace = Tree()->geometry();
    QVERIFY(!view->isVisible());

    // Shown, the window widens so that the picture has the tree's width,
    // on a screen with room for it.
    Dialog().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    Action("showPictureAction")->trigger();
    QVERIFY(Action("showPictureAction")->isChecked());
    QVERIFY(view->isVisible());
    QCOMPARE(Dialog().height(), opening.height());
    QCOMPARE(splitter->geometry().topLeft(), treePlace.topLeft());
    QCOMPARE(splitter->height(), treePlace.height());
    const int treeWidth = treePlace.width();
    QCOMPARE(Tree()->width(), treeWidth);
    auto* scroll = Find<QWidget>("pictureScroll");
    QVERIFY(scroll->width() + splitter->handleWidth() >= treeWidth);
    // The picture takes the room the window gains; the tree keeps its width.
    const int pictureWidth = scroll->width();
    Dialog().resize(Dialog().size() + QSize(150, 100));
    QCOMPARE(scroll->width(), pictureWidth + 150);
    QCOMPARE(Tree()->width(), treeWidth);

    // Hidden, the tree holds the whole place again, in the client area.
    Action("showPictureAction")->trigger();
    QVERIFY(!view->isVisible());
    QVERIFY(Tree()->isVisible());
    QCOMPARE(Tree()->parentWidget(), Find<QWidget>("clientArea"));
    QCOMPARE(Tree()->geometry(), treePlace.adjusted(0, 0, Dialog().width() - opening.width(), 100));
    QCOMPARE(Tree()->model()->rowCount(Root()), 3);
}

void PicturePaneTest::thePictureIsOfTheSystemFoundNotOfItsRow()
{
    Run(QStringLiteral("6"));
    const LoadedRun records = ExportedRecords();
    Action("showPictureAction")->trigger();
    Action("findAction")->trigger();
    auto* field = Find<QLineEdit>("findField");
    field->setText(QStringLiteral("System 4"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(Tree()->model()->rowCount(Root()), 1);
    // The find bar takes its strip above the tree and the picture, side by side below it.
    const QRect splitter = Find<QSplitter>("pictureSplitter")->geometry();
    QVERIFY(field->isVisible());
    QVERIFY(field->mapTo(Find<QWidget>("clientArea"), QPoint(0, field->height())).y() <= splitter.top());

    // The first row now holds system 4: its picture, not the first system's.
    Tree()->setCurrentIndex(DeepestFirstItemOf(1));
    QCOMPARE(Shown(), QByteArray::fromStdString(SystemSvg(4, records.systems[3], records.edits.Name(4))));
    QVERIFY(Action("exportPictureAction")->isEnabled());
    // Every system again: the same item keeps its picture.
    QTest::keyClick(field, Qt::Key_Escape);
    Tree()->setCurrentIndex(DeepestFirstItemOf(4));
    QCOMPARE(Shown(), QByteArray::fromStdString(SystemSvg(4, records.systems[3], records.edits.Name(4))));
}

// Labels of 11 units at 8 pixels or more, whatever the pane's width: a
// picture wider than the pane scrolls. Ctrl+plus and Ctrl+minus zoom from
// anywhere in the window, Ctrl+0 goes back.
void PicturePaneTest::thePictureIsLegibleAndZooms()
{
    Find<QAbstractButton>("highRadio")->click();
    Run(QStringLiteral("20"));
    Action("showPictureAction")->trigger();
    auto* view = Dialog().findChild<SystemPictureView*>("pictureView");
    auto* scroll = Find<QScrollArea>("pictureScroll");
    // The widest picture of the run.
    int widest = 0;
    double widestWidth = 0;
    for (int system = 1; system <= 20; ++system) {
        Tree()->setCurrentIndex(DeepestFirstItemOf(system));
        const double width = QSvgRenderer(view->Svg()).viewBoxF().width();
        if (width > widestWidth) {
            widest = system;
            widestWidth = width;
        }
    }
    Tree()->setCurrentIndex(DeepestFirstItemOf(widest));
    Tree()->setFocus();
    const double fitted = view->Scale();
    QVERIFY2(fitted * 11 >= 8, qPrintable(QString::number(fitted)));
    QVERIFY(view->width() >= widestWidth * fitted);
    QTRY_COMPARE(scroll->horizontalScrollBar()->isVisible(), widestWidth * fitted > scroll->viewport()->width());

    QTest::keySequence(&Dialog(), QKeySequence(QStringLiteral("Ctrl++")));
    QCOMPARE(view->Scale(), fitted * 1.25);
    QVERIFY(view->width() >= widestWidth * fitted * 1.25);
    QTRY_VERIFY(scroll->horizontalScrollBar()->isVisible());
    QTest::keySequence(&Dialog(), QKeySequence(QStringLiteral("Ctrl+-")));
    QTest::keySequence(&Dialog(), QKeySequence(QStringLiteral("Ctrl+-")));
    QCOMPARE(view->Scale(), fitted / 1.25);
    QTest::keySequence(&Dialog(), QKeySequence(QStringLiteral("Ctrl+0")));
    QCOMPARE(view->Scale(), fitted);
}

void PicturePaneTest::exportPictureWritesSvgAndTwiceSizedPng()
{
    Find<QAbstractButton>("highRadio")->click();
    Run(QStringLiteral("4"));
    const LoadedRun records = ExportedRecords();
    // Nothing selected, nothing to export; the pane need not be shown.
    QVERIFY(!Action("exportPictureAction")->isEnabled());
    Tree()->setCurrentIndex(DeepestFirstItemOf(3));
    QVERIFY(Action("exportPictureAction")->isEnabled());
    const QByteArray svg = QByteArray::fromStdString(SystemSvg(3, records.systems[2], records.edits.Name(3)));

    prompts.nextFileName = InDir("system.svg");
    Action("exportPictureAction")->trigger();
    QCOMPARE(prompts.saveDialogs.last(),
             QStringLiteral("SVG Picture (*.svg);;PNG Image (*.png);;PDF Document (*.pdf)|svg"));
    QFile written(InDir("system.svg"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), svg);

    prompts.nextFileName = InDir("system.PNG");
    Action("exportPictureAction")->trigger();
    QImage png;
    QVERIFY(png.load(InDir("system.PNG"), "PNG"));
    const QSizeF box = QSvgRenderer(svg).viewBoxF().size();
    QVERIFY(box.width() > 100 && box.height() > 50);
    QCOMPARE(png.size(), QSize(int(std::ceil(2 * box.width())), int(std::ceil(2 * box.height()))));
    // Drawn, not blank: the picture's zones and shapes are not all white.
    int coloured = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            coloured += png.pixel(x, y) != qRgb(255, 255, 255);
        }
    }
    QVERIFY(coloured > png.width() * png.height() / 20);
    QVERIFY(prompts.messages.isEmpty());

    // A PDF of one page as large as the picture, in points.
    prompts.nextFileName = InDir("system.pdf");
    Action("exportPictureAction")->trigger();
    QFile pdf(InDir("system.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray pdfBytes = pdf.readAll();
    QVERIFY(pdfBytes.startsWith("%PDF-"));
    QCOMPARE(pdfBytes.count("/Type /Page\n"), 1);
    QVERIFY(!pdfBytes.contains("/Subtype /Image"));

    // Any other name is refused in one line, and nothing is written.
    prompts.nextFileName = InDir("system.jpg");
    Action("exportPictureAction")->trigger();
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kPictureFormatRefused)});
    QVERIFY(!QFile::exists(InDir("system.jpg")));
}

void PicturePaneTest::thePictureIsTheFileNexmarCliWrites_data()
{
    QTest::addColumn<bool>("legend");
    QTest::newRow("without its legend") << false;
    QTest::newRow("with its legend") << true;
}

// The same seed and options give the same picture in the dialog, in Export
// Picture and in the file nexmar-cli --svg writes for the system; Show
// Legend draws it with its legend as --svg-legend does.
void PicturePaneTest::thePictureIsTheFileNexmarCliWrites()
{
    QFETCH(bool, legend);
    Find<QAbstractButton>("highRadio")->click();
    Find<QAbstractButton>("censusBox")->setChecked(true);
    Run(QStringLiteral("7"));
    Action("showPictureAction")->trigger();
    Tree()->setCurrentIndex(DeepestFirstItemOf(7));
    const QByteArray without = Shown();
    if (legend) {
        Action("showLegendAction")->trigger();
    }
    QCOMPARE(Action("showLegendAction")->isChecked(), legend);
    QCOMPARE(Shown().contains(">Gaia World</text>"), legend);

    QTemporaryDir cliDir;
    QVERIFY(cliDir.isValid());
    std::vector<std::string> args = {"--dir",     cliDir.path().toStdString(), "--seed", "4321", "--systems", "7",
                                     "--detail",  "high", "--census", "--svg", cliDir.path().toStdString()};
    if (legend) {
        args.push_back("--svg-legend");
    }
    QCOMPARE(testing::RunNexmarCli(args).status, 0);
    QFile written(cliDir.filePath(QStringLiteral("system-0007.svg")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(Shown(), written.readAll());
    prompts.nextFileName = InDir("system.svg");
    Action("exportPictureAction")->trigger();
    QFile exported(InDir("system.svg"));
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll(), Shown());

    Action("showLegendAction")->trigger();
    QCOMPARE(Shown() == without, legend);
}

// Above the picture and the notes, the system's number, name and hex as the
// run's document places it; for the players, a hidden name leaves the hex.
void PicturePaneTest::theTitleAndTheNotesNameTheSystemsHex()
{
    Find<QAbstractButton>("mediumRadio")->click();
    Run(QStringLiteral("3"));
    const QModelIndex system = Tree()->model()->index(1, 0, Root());
    Tree()->setFocus();
    Tree()->setCurrentIndex(system);
    prompts.nameAnswers = {QStringLiteral("Vessa Reach")};
    QTest::keyClick(Tree(), Qt::Key_F2);
    Action("showPictureAction")->trigger();
    Action("showNotesAction")->trigger();
    ExportedRecords();
    QFile document(InDir("records.json"));
    QVERIFY(document.open(QIODevice::ReadOnly));
    const std::string json = document.readAll().toStdString();
    std::vector<std::string> hexes;
    const std::regex hex("\"hex\":\"(\\d{4})\"");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), hex); it != std::sregex_iterator(); ++it) {
        hexes.push_back((*it)[1]);
    }
    QCOMPARE(hexes.size(), std::size_t{3});
    const QString second = QString::fromStdString(hexes[1]);
    const auto title = [this] { return Find<QLabel>("pictureTitle")->text(); };
    const auto heading = [this] { return Find<QLabel>("notesHeading")->text(); };

    QCOMPARE(title(), QStringLiteral("System 2, Vessa Reach, hex ") + second);
    QCOMPARE(heading(), title());
    QVERIFY(Find<QLabel>("pictureTitle")->isVisible());
    Tree()->setCurrentIndex(Tree()->model()->index(1, 0, system));
    QCOMPARE(heading(), QStringLiteral("Object 2.2 in System 2, Vessa Reach, hex ") + second);

    prompts.hiddenAnswers = {PlayerFields{PlayerField::Name}};
    Tree()->setCurrentIndex(system);
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+H")));
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("F4")));
    QVERIFY(Action("playerViewAction")->isChecked());
    Tree()->setCurrentIndex(Tree()->model()->index(1, 0, Root()));
    QCOMPARE(title(), QStringLiteral("System 2, hex ") + second);
    QCOMPARE(heading(), title());
    // Off the system, no title.
    Tree()->setCurrentIndex(Root());
    QCOMPARE(title(), QString());
}

}  // namespace nexmar

QTEST_MAIN(nexmar::PicturePaneTest)
#include "picture_pane_test.moc"
