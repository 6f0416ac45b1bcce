#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QUndoStack>
#include <QTableView>
#include <QTreeView>

#include <cstdlib>

#include "app/panes/picture_pane.h"
#include "picture/picture_style.h"
#include "players/print_table.h"
#include "support/dialog_fixture.h"

namespace nexmar {

class PlayerTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4242); }
    void cleanup() { Stop(); }

    void visibilityAndHiddenFieldsAreEditedUndoneAndMarked();
    void theHandoutHoldsNoSecretAndEveryKnownField();
    void playerViewShowsNoSecretAndBringsTheRefereesViewBack();
    void playerNotesAreWrittenInThePaneAndHandedOut();
    void handoutPdfDrawsThePictureOfASystemWithHiddenFields();
    void handoutPrintedAndExportedBreakPagesAlikeAndMarkRumouredSystems();

private:
    void RunHigh(const char* count)
    {
        Find<QRadioButton>("highRadio")->setChecked(true);
        Find<QCheckBox>("censusBox")->setChecked(true);
        Run(QString::fromLatin1(count));
    }
    void Select(int row)
    {
        Tree()->setFocus();
        Tree()->setCurrentIndex(Tree()->model()->index(row, 0, Root()));
    }
    void Keys(const char* keys) { QTest::keySequence(Tree(), QKeySequence(QString::fromLatin1(keys))); }
    QString NameShown(int row) const { return Tree()->model()->index(row, 1, Root()).data().toString(); }
    const SystemEdits* EditsOf(int number) const { return Dialog().Session().Records().Edits().Find(number); }
    // The texts of every item the tree's model shows, both columns.
    QStringList ItemTexts(const QModelIndex& parent = {}) const
    {
        QStringList texts;
        const QAbstractItemModel& model = *Tree()->model();
        for (int row = 0; row < model.rowCount(parent); ++row) {
            texts << model.index(row, 0, parent).data().toString() << model.index(row, 1, parent).data().toString();
            texts << ItemTexts(model.index(row, 0, parent));
        }
        return texts;
    }
    QByteArray Picture() const { return Dialog().findChild<SystemPictureView*>("pictureView")->Svg(); }
    // The find field's count once text is looked for.
    QString FindCount(const QString& text)
    {
        Action("findAction")->trigger();
        Find<QLineEdit>("findField")->setText(text);
        QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_Return);
        return Find<QLabel>("findCount")->text();
    }
    QString PdfText(const char* action, const char* name)
    {
        prompts.nextFileName = InDir(QString::fromLatin1(name));
        Action(action)->trigger();
        return TextOf(prompts.nextFileName);
    }
    static QString TextOf(const QString& pdf)
    {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        if (!text.waitForFinished(60000) || text.exitCode() != 0) {
            qFatal("pdftotext failed");
        }
        return QString::fromUtf8(text.readAllStandardOutput());
    }
    // How many pixels of the PDF's first page, drawn at 50 dots an inch,
    // have the habitable zone's colour, which only a picture paints.
    int HabitableZonePixels(const QString& pdf)
    {
        QProcess render;
        render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-l"),
                                                  QStringLiteral("1"), QStringLiteral("-singlefile"),
                                                  QStringLiteral("-png"), pdf, pdf});
        if (!render.waitForFinished(60000) || render.exitCode() != 0) {
            qFatal("pdftoppm failed");
        }
        const QImage page(pdf + QStringLiteral(".png"));
        const QColor zone(QString::fromLatin1(kPictureStyle.habitableZone.data(), kPictureStyle.habitableZone.size()));
        int pixels = 0;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QColor colour = page.pixelColor(x, y);
                pixels += std::abs(colour.red() - zone.red()) + std::abs(colour.green() - zone.green()) +
                              std::abs(colour.blue() - zone.blue()) <= 6;
            }
        }
        return pixels;
    }
};

void PlayerTest::visibilityAndHiddenFieldsAreEditedUndoneAndMarked()
{
    RunHigh("3");
    const QString name = NameShown(1);
    Select(1);
    Keys("Ctrl+2");
    QCOMPARE(NameShown(1), name + QStringLiteral(" (Rumoured)"));
    QCOMPARE(EditsOf(2)->Hidden(), DefaultHiddenFields(Visibility::Rumoured));

    // The dialog offers a High system's fields, ticked as they are hidden now.
    prompts.hiddenAnswers = {PlayerFields{PlayerField::Name, PlayerField::Capacity}};
    Keys("Ctrl+H");
    QCOMPARE(prompts.hiddenTitles, QStringList{"Hidden Fields of System 2"});
    QCOMPARE(prompts.hiddenOffered, std::vector<std::size_t>{PlayerFieldsOf(DetailLevel::High).size()});
    QCOMPARE(prompts.hiddenShown.front(), DefaultHiddenFields(Visibility::Rumoured));
    QCOMPARE(EditsOf(2)->Hidden(), (PlayerFields{PlayerField::Name, PlayerField::Capacity}));
    // A cancelled choice changes nothing and takes no place on the undo stack.
    Keys("Ctrl+H");
    Keys("Ctrl+3");
    QCOMPARE(NameShown(1), name + QStringLiteral(" (Secret)"));
    QCOMPARE(EditsOf(2)->Hidden(), (PlayerFields{PlayerField::Name, PlayerField::Capacity}));

    Keys("Ctrl+Z");
    QCOMPARE(NameShown(1), name + QStringLiteral(" (Rumoured)"));
    Keys("Ctrl+Z");
    QCOMPARE(EditsOf(2)->Hidden(), DefaultHiddenFields(Visibility::Rumoured));
    Keys("Ctrl+Z");
    QCOMPARE(NameShown(1), name);
    QVERIFY(EditsOf(2) == nullptr);
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("Tolvik Nexmar"));
    Keys("Ctrl+Y");
    QCOMPARE(NameShown(1), name + QStringLiteral(" (Rumoured)"));
}

// A secret system, and the notes written on it for the players, are nowhere
// in the handout's text; a rumoured system shows its bodies with "?" for
// every figure; a known one shows every cell the referee's print does.
void PlayerTest::theHandoutHoldsNoSecretAndEveryKnownField()
{
    RunHigh("3");
    Select(1);
    Keys("Ctrl+3");
    prompts.notesAnswers = {QStringLiteral("Zephyrquill hides here")};
    Action("playerNotesAction")->trigger();
    QCOMPARE(EditsOf(2)->playerNotes, std::string("Zephyrquill hides here"));
    Select(2);
    Keys("Ctrl+2");

    const QString referee = PdfText("exportPdfAction", "referee.pdf");
    const QString handout = PdfText("exportHandoutPdfAction", "handout.pdf");
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(referee.contains(QStringLiteral("System 2")));
    for (const char* secret : {"System 2", "Object 2A", "Zephyrquill", "seed", "3 systems"}) {
        QVERIFY2(!handout.contains(QString::fromLatin1(secret)), secret);
    }
    QVERIFY(handout.contains(QStringLiteral("2 systems")));

    const RunRecords& records = Dialog().Session().Records();
    const PrintTable known = SystemTable(1, records.At(0));
    for (const PrintRow& row : known.rows) {
        for (std::size_t c = 0; c < row.cells.size() && c < known.columns.size(); ++c) {
            if (!known.columns[c].wraps) {
                QVERIFY2(handout.contains(QString::fromStdString(row.cells[c])), row.cells[c].c_str());
            }
        }
    }
    // Of each object of the rumoured system, Capacity, Raw, the census
    // values, the moons and the special.
    const PrintTable rumoured = SystemTable(3, records.At(2));
    const auto objects = std::count_if(rumoured.rows.begin(), rumoured.rows.end(),
                                       [](const PrintRow& row) { return row.cells.size() > 2; });
    QVERIFY(handout.count(QLatin1Char('?')) >= 7 * objects);
    QVERIFY(!referee.contains(QLatin1Char('?')));
}

// Player View shows what the handout would: with marker words in a secret
// system's name, in a name hidden from the players and in a referee's note,
// none is in any item text of the tree, in the picture or in what Find
// finds; turned off, they come back, with the items open and the current
// item as they were.
void PlayerTest::playerViewShowsNoSecretAndBringsTheRefereesViewBack()
{
    RunHigh("3");
    Select(1);
    prompts.nameAnswers = {QStringLiteral("Zorblaxia")};
    Keys("F2");
    Keys("Ctrl+3");
    Select(2);
    prompts.nameAnswers = {QStringLiteral("Quexhollow")};
    Keys("F2");
    prompts.hiddenAnswers = {PlayerFields{PlayerField::Name, PlayerField::Capacity, PlayerField::Moons}};
    Keys("Ctrl+H");
    Keys("F9");
    Find<QPlainTextEdit>("notesEditor")->setPlainText(QStringLiteral("Vantablur lurks"));
    Keys("F7");
    Tree()->expand(Tree()->model()->index(0, 0, Root()));
    const QModelIndex third = Tree()->currentIndex();
    const QStringList markers = {"Zorblaxia", "Quexhollow", "Vantablur"};
    QVERIFY(ItemTexts().join('\n').contains(markers[0]));

    Keys("F4");
    QVERIFY(Action("playerViewAction")->isChecked());
    QVERIFY(Find<QLabel>("playerViewMark")->isVisible());
    QCOMPARE(Tree()->model()->rowCount(Root()), 2);
    const QString shown = ItemTexts().join('\n');
    const QStringList hidden = ItemTexts(Tree()->model()->index(1, 0, Root())).filter(QStringLiteral("Capacity"));
    QVERIFY(!hidden.isEmpty());
    QCOMPARE(hidden.filter(QStringLiteral("Capacity: ?")), hidden);
    const QByteArray picture = Picture();
    QCOMPARE(picture.toStdString(), Dialog().Session().Records().SystemSvg(2, PictureLegend::Without, true));
    for (const QString& marker : markers) {
        QVERIFY2(!shown.contains(marker) && !picture.contains(marker.toUtf8()), qPrintable(marker));
        QCOMPARE(FindCount(marker), QStringLiteral("0 of 2 systems"));
    }
    QVERIFY(!shown.contains(QStringLiteral("System 2\n")) && !shown.contains(QStringLiteral("Moon 3")));
    QCOMPARE(FindCount(QStringLiteral("Capacity: ?")), QStringLiteral("1 of 2 systems"));
    FindCount(QStringLiteral("capacity > 0"));
    QVERIFY(Find<QLabel>("findMessage")->text().contains(QStringLiteral("Player View finds text only")));
    QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_Escape);
    QVERIFY(Find<QPlainTextEdit>("notesEditor")->isHidden());
    QVERIFY(!Action("copyTextAction")->isEnabled());
    // An edit acts on the referee's sector, and the view follows it.
    Keys("Ctrl+R");
    QVERIFY(EditsOf(3)->seed.has_value());
    QCOMPARE(Tree()->model()->rowCount(Root()), 2);
    QVERIFY(!ItemTexts().join('\n').contains(markers[1]));
    QCOMPARE(Picture().toStdString(), Dialog().Session().Records().SystemSvg(2, PictureLegend::Without, true));

    Keys("F4");
    QVERIFY(!Find<QLabel>("playerViewMark")->isVisible());
    QCOMPARE(Tree()->model()->rowCount(Root()), 3);
    for (const QString& marker : markers.mid(0, 2)) {
        QVERIFY2(ItemTexts().join('\n').contains(marker), qPrintable(marker));
    }
    QCOMPARE(Find<QPlainTextEdit>("notesEditor")->toPlainText(), QStringLiteral("Vantablur lurks"));
    QVERIFY(Tree()->isExpanded(Tree()->model()->index(0, 0, Root())));
    QCOMPARE(Tree()->currentIndex(), third);
    QVERIFY(Picture().contains("Quexhollow"));

    // The overview and the statistics count Secret systems: neither stays open.
    Keys("F8");
    Keys("Ctrl+T");
    QCOMPARE(Dialog().findChildren<QWidget*>(QStringLiteral("statisticsTabs")).size(), 1);
    Dialog().activateWindow();
    Keys("F4");
    QVERIFY(Action("playerViewAction")->isChecked());
    QVERIFY(!Find<QTableView>("overviewTable")->isVisible());
    QTRY_VERIFY(Dialog().findChildren<QWidget*>(QStringLiteral("statisticsTabs")).isEmpty());
}

// The notes pane writes a system's player notes beside the referee's, each
// burst of typing one edit to undo; the handout prints them, the referee's
// print does not.
void PlayerTest::playerNotesAreWrittenInThePaneAndHandedOut()
{
    RunHigh("2");
    Select(0);
    Keys("F9");
    auto* players = Find<QPlainTextEdit>("playerNotesEditor");
    players->setFocus();
    QTest::keyClicks(players, QStringLiteral("Glimmerfen"));
    QCOMPARE(EditsOf(1)->playerNotes, std::string("Glimmerfen"));
    Find<QPlainTextEdit>("notesEditor")->setFocus();
    QTest::keyClicks(Find<QPlainTextEdit>("notesEditor"), QStringLiteral("Murkwistle"));
    QCOMPARE(Dialog().findChild<QUndoStack*>()->count(), 2);

    const QString referee = PdfText("exportPdfAction", "referee.pdf");
    const QString handout = PdfText("exportHandoutPdfAction", "handout.pdf");
    QVERIFY(handout.contains(QStringLiteral("Glimmerfen")) && !handout.contains(QStringLiteral("Murkwistle")));
    QVERIFY(referee.contains(QStringLiteral("Murkwistle")) && !referee.contains(QStringLiteral("Glimmerfen")));

    Keys("Ctrl+Z");
    Keys("Ctrl+Z");
    QCOMPARE(players->toPlainText(), QString());
    QVERIFY(EditsOf(1) == nullptr);
}

// The handout PDF, printed or exported, draws the players' picture of a
// system with hidden fields as the referee's print draws the picture of one
// with none: its page holds the zone bands' colours.
void PlayerTest::handoutPdfDrawsThePictureOfASystemWithHiddenFields()
{
    RunHigh("1");
    prompts.nextFileName = InDir(QStringLiteral("referee.pdf"));
    Action("exportPdfAction")->trigger();
    const int referee = HabitableZonePixels(prompts.nextFileName);
    QVERIFY(referee > 100);
    Select(0);
    prompts.hiddenAnswers = {PlayerFields{PlayerField::Name, PlayerField::Stars, PlayerField::Type, PlayerField::Size,
                                          PlayerField::Capacity, PlayerField::Special, PlayerField::Moons}};
    Keys("Ctrl+H");
    prompts.nextFileName = InDir(QStringLiteral("exported.pdf"));
    Action("exportHandoutPdfAction")->trigger();
    prompts.printTo = InDir(QStringLiteral("printed.pdf"));
    Action("printHandoutAction")->trigger();
    QVERIFY(prompts.messages.isEmpty());
    for (const QString& handout : {prompts.nextFileName, prompts.printTo}) {
        QVERIFY2(HabitableZonePixels(handout) > referee / 4, qPrintable(handout));
    }
}

// Print Handout and Export Handout PDF lay the same pages out alike, and
// each says "(Rumoured)" after a Rumoured system's name, as the HTML
// handout and Player View do.
void PlayerTest::handoutPrintedAndExportedBreakPagesAlikeAndMarkRumouredSystems()
{
    RunHigh("12");
    Select(1);
    Keys("Ctrl+2");
    const QString exported = PdfText("exportHandoutPdfAction", "exported.pdf");
    prompts.printTo = InDir(QStringLiteral("printed.pdf"));
    Action("printHandoutAction")->trigger();
    const QString printed = TextOf(prompts.printTo);
    QVERIFY(prompts.messages.isEmpty());
    const QRegularExpression rumoured(QStringLiteral("^System 2: .+ \\(Rumoured\\)$"),
                                      QRegularExpression::MultilineOption);
    QVERIFY(exported.contains(rumoured));
    QVERIFY(exported.count(QLatin1Char('\f')) > 3);
    // The same systems headed on the same pages: a table cell may wrap at
    // another word, the printer's resolution being finer.
    const auto headings = [](const QString& text) {
        static const QRegularExpression heading(QStringLiteral("^System \\d+.*$"), QRegularExpression::MultilineOption);
        QStringList pages;
        for (const QString& page : text.split(QLatin1Char('\f'))) {
            QStringList named;
            for (const auto& match : heading.globalMatch(page)) {
                named << match.captured(0);
            }
            pages << named.join(QLatin1Char('|'));
        }
        return pages;
    };
    QCOMPARE(headings(printed), headings(exported));
}

}  // namespace nexmar

QTEST_MAIN(nexmar::PlayerTest)
#include "player_test.moc"
