#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>
#include <QtTest/QAbstractItemModelTester>

#include <nlohmann/json.hpp>

#include <functional>
#include <set>
#include <string_view>

#include "app/dialog/generator_dialog.h"
#include "support/cli_runner.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// The find field, printing, Export PDF and Copy as Text, over the systems
// the tree shows.
class FindPrintTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(7); }
    void cleanup() { Stop(); }

    void findKeepsTheSystemsOfAQueryOrAText();
    void printAndPdfHoldTheKeptSystemsAlone();
    void printAndPdfCancelledWhilePaintingLeaveNoFile();
    void copyAsTextIsTheSystemsReportRows();
    void namesAndNotesArePrintedAndCopiedAsText();
    void findNextLandsOnThePartTheQueryMatched();
    void aQueryThatIsNoneSaysWhyInTheFindBar();
    void escapeGoesBackToWhereTheFindStarted();
    void theWindowsShortcutsWorkFromTheFindField();
    void everyOutputHoldsTheSystemsAFilterKeepsAsWhereDoes();

private:
    QLineEdit* FindField() const { return Find<QLineEdit>("findField"); }
    void RunAt(const char* level, const char* count) const
    {
        Find<QRadioButton>(level)->setChecked(true);
        Run(QString::fromLatin1(count));
    }
    void Type(const QString& text) const
    {
        // A run slow enough to show its progress window takes the window
        // activation with it; the dialog's shortcuts answer once it is back.
        QVERIFY(QTest::qWaitForWindowActive(&Dialog()));
        Action("findAction")->trigger();
        FindField()->setText(text);
        QTest::keyClick(FindField(), Qt::Key_Return);
    }
    // The numbers of the systems the tree shows.
    std::set<int> ShownNumbers() const
    {
        std::set<int> numbers;
        for (int row = 0; row < Tree()->model()->rowCount(Root()); ++row) {
            numbers.insert(Root().model()->index(row, 0, Root()).data().toString().mid(7).toInt());
        }
        return numbers;
    }
    // The numbers of the systems in the run's document of which some object holds.
    std::set<int> NumbersWhere(const std::function<bool(const nlohmann::json&)>& holds) const
    {
        std::set<int> numbers;
        std::string json;
        Dialog().Session().WriteJson([&json](std::string_view text) { json.append(text); }, std::atomic<bool>{false},
                                     [](int) {});
        const nlohmann::json document = nlohmann::json::parse(json);
        for (const auto& system : document["systems"]) {
            for (const auto& component : system["components"]) {
                for (const auto& object : component["objects"]) {
                    if (holds(object)) {
                        numbers.insert(system["number"].get<int>());
                    }
                }
            }
        }
        return numbers;
    }
    // Every "System N" in the PDF's text.
    static std::set<int> NumbersInPdf(const QString& pdf)
    {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        if (!text.waitForFinished(60000) || text.exitCode() != 0) {
            qFatal("pdftotext failed");
        }
        std::set<int> numbers;
        static const QRegularExpression systemHeading(QStringLiteral("\\bSystem (\\d+)\\b"));
        for (const auto& match : systemHeading.globalMatch(QString::fromUtf8(text.readAllStandardOutput()))) {
            numbers.insert(match.captured(1).toInt());
        }
        return numbers;
    }
};

void FindPrintTest::findKeepsTheSystemsOfAQueryOrAText()
{
    RunAt("highRadio", "200");
    const std::set<int> all = ShownNumbers();
    QCOMPARE(all.size(), std::size_t{200});
    // Rows and parents stay consistent while systems are left out.
    QAbstractItemModelTester consistent(Tree()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);

    // A query: one object both a Gas Giant and of Capacity 8 or more.
    Type(QStringLiteral("type = \"Gas Giant\" and capacity >= 8"));
    const std::set<int> giants = NumbersWhere(
        [](const nlohmann::json& object) { return object["type"] == "Gas Giant" && object["capacity"] >= 8; });
    QVERIFY(!giants.empty() && giants.size() < 200);
    QCOMPARE(ShownNumbers(), giants);
    QCOMPARE(Find<QLabel>("findCount")->text(), QStringLiteral("%1 of 200 systems").arg(giants.size()));

    // Plain text, in any letter case, in any item; F3 goes from one item found to the next.
    Type(QStringLiteral("aNCIENT ruINS"));
    const std::set<int> ruins = NumbersWhere([](const nlohmann::json& object) {
        return object["special"].get<std::string>().find("Ancient Ruins") != std::string::npos;
    });
    QVERIFY(!ruins.empty() && ruins.size() < 200);
    QCOMPARE(ShownNumbers(), ruins);
    QCOMPARE(Find<QLabel>("findCount")->text(), QStringLiteral("%1 of 200 systems").arg(ruins.size()));
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(FindField(), Qt::Key_F3);
        QVERIFY(Tree()->currentIndex().data().toString().contains(QStringLiteral("Ancient Ruins")));
        QVERIFY(Tree()->isExpanded(Tree()->currentIndex().parent()));
    }
    const QModelIndex third = Tree()->currentIndex();
    QTest::keyClick(FindField(), Qt::Key_F3, Qt::ShiftModifier);
    QTest::keyClick(FindField(), Qt::Key_F3);
    QCOMPARE(Tree()->currentIndex(), third);

    // Return filtered the run shown and generated none.
    QCOMPARE(Root().data(Qt::ToolTipRole).toString(), QStringLiteral("Seed 7"));

    // Escape clears the field and shows the whole tree, and leaves the dialog open.
    QTest::keyClick(FindField(), Qt::Key_Escape);
    QVERIFY(Dialog().isVisible());
    QVERIFY(!FindField()->isVisible());
    QCOMPARE(ShownNumbers(), all);
}

// F3 selects the star, object or moon the query's conditions matched, and
// opens the way to it alone.
void FindPrintTest::findNextLandsOnThePartTheQueryMatched()
{
    RunAt("highRadio", "200");
    struct Case {
        const char* query;
        const char* item;        // how the item found begins
        const char* childHolds;  // a child of the object found holds this text; empty: the item itself does
    };
    const Case cases[] = {
        {"gaia", "Object ", "Gaia World"},
        {"star.size = Supergiant", "Star ", ""},
        {"moon.capacity >= 2", "Moon ", ""},
    };
    for (const Case& c : cases) {
        Type(QString::fromLatin1(c.query));
        for (int step = 0; step < 2; ++step) {
            QTest::keyClick(FindField(), Qt::Key_F3);
            const QModelIndex found = Tree()->currentIndex();
            const QString text = found.data().toString();
            QVERIFY2(text.startsWith(QLatin1String(c.item)), qPrintable(QLatin1String(c.query) + ": " + text));
            bool holds = *c.childHolds == '\0';
            for (int row = 0; row < Tree()->model()->rowCount(found); ++row) {
                holds = holds || Tree()->model()->index(row, 0, found).data().toString().contains(c.childHolds);
            }
            QVERIFY2(holds, qPrintable(QLatin1String(c.query) + ": " + text));
            if (QLatin1String(c.item) == QLatin1String("Star ")) {
                QVERIFY2(text.contains(QStringLiteral("Supergiant")), qPrintable(text));
            }
            for (QModelIndex above = found.parent(); above.isValid(); above = above.parent()) {
                QVERIFY(Tree()->isExpanded(above));
            }
            QVERIFY(!Tree()->isExpanded(found));
        }
        // Only the way to the items found is open: the first system kept was passed by.
        QVERIFY(!Tree()->isExpanded(Tree()->model()->index(Tree()->model()->rowCount(Root()) - 1, 0, Root())));
        QTest::keyClick(FindField(), Qt::Key_Escape);
        Tree()->collapseAll();
    }
}

void FindPrintTest::aQueryThatIsNoneSaysWhyInTheFindBar()
{
    RunAt("highRadio", "20");
    auto* message = Find<QLabel>("findMessage");
    Type(QStringLiteral("star.size = Supergiants"));
    QVERIFY(message->isVisible());
    QCOMPARE(message->text(), QStringLiteral("column 13: Supergiants: no star size is named so; did you mean Supergiant?"));
    // The tree stays whole while the query is mended.
    QCOMPARE(Tree()->model()->rowCount(Root()), 20);
    Type(QStringLiteral("star.size = Super Giant"));
    QCOMPARE(message->text(), QStringLiteral("column 19: expected 'and', 'or' or the end of the query, not 'Giant'; "
                                             "a value of several words goes between quotes"));
    // Words without an operator are looked for as text; no message then.
    Type(QStringLiteral("Supergiant"));
    QVERIFY(!message->isVisible());
    QVERIFY(Tree()->model()->rowCount(Root()) < 20);
}

// The item the user was on, and the items open, come back with Escape.
void FindPrintTest::escapeGoesBackToWhereTheFindStarted()
{
    RunAt("highRadio", "30");
    const QModelIndex system = Tree()->model()->index(4, 0, Root());
    Tree()->expand(Root());
    Tree()->expand(system);
    const QModelIndex place = Tree()->model()->index(1, 0, system);
    const QString placeText = place.data().toString();
    Tree()->setCurrentIndex(place);
    Type(QStringLiteral("gaia"));
    QTest::keyClick(FindField(), Qt::Key_F3);
    QTest::keyClick(FindField(), Qt::Key_Escape);
    QCOMPARE(Tree()->currentIndex().data().toString(), placeText);
    QCOMPARE(Tree()->currentIndex().parent().data().toString(), QStringLiteral("System 5"));
    QVERIFY(Tree()->isExpanded(Tree()->model()->index(4, 0, Root())));
}

void FindPrintTest::theWindowsShortcutsWorkFromTheFindField()
{
    RunAt("lowRadio", "5");
    Type(QStringLiteral("Colony"));
    QCOMPARE(QApplication::focusWidget(), FindField());
    QTest::keyClick(FindField(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(prompts.saveDialogs, QStringList{"JSON File (*.json)|json"});
    QCOMPARE(FindField()->text(), QStringLiteral("Colony"));
    // Ctrl+C copies the field's own text there.
    FindField()->selectAll();
    QTest::keyClick(FindField(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Colony"));
}

// With a filter on, Save to File and Export JSON write what nexmar-cli
// --where writes for the same run and query, and say so.
void FindPrintTest::everyOutputHoldsTheSystemsAFilterKeepsAsWhereDoes()
{
    const auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    };
    RunAt("highRadio", "200");
    Type(QStringLiteral("gaia"));
    const std::size_t kept = ShownNumbers().size();
    const QString shown = QStringLiteral("%1 systems shown").arg(kept);
    QCOMPARE(Action("exportJsonAction")->text(), QStringLiteral("&Export JSON: ") + shown + QStringLiteral("..."));
    QCOMPARE(Action("saveAction")->text(), QStringLiteral("&Save to File: ") + shown + QStringLiteral("..."));
    QCOMPARE(Action("printAction")->text(), QStringLiteral("&Print: ") + shown + QStringLiteral("..."));
    QCOMPARE(Action("exportPdfAction")->text(), QStringLiteral("Export P&DF: ") + shown + QStringLiteral("..."));

    const QString cli = InDir(QStringLiteral("cli"));
    QVERIFY(QDir().mkpath(cli));
    const testing::CliRun where = testing::RunNexmarCli({"--seed", "7", "--systems", "200", "--detail", "high",
                                                         "--where", "gaia", "--dir", cli.toStdString(), "--json",
                                                         (cli + QStringLiteral("/run.json")).toStdString()});
    QCOMPARE(where.status, 0);

    prompts.nextFileName = InDir(QStringLiteral("shown.json"));
    Action("exportJsonAction")->trigger();
    QCOMPARE(prompts.saveTitles.last(), QStringLiteral("Export JSON: ") + shown);
    QByteArray expected = bytes(cli + QStringLiteral("/run.json"));
    expected.replace("\"program\":\"nexmar-cli\"", "\"program\":\"nexmar\"");
    QVERIFY(bytes(prompts.nextFileName) == expected);
    for (const char* format : {"textRadio", "htmlRadio"}) {
        Find<QRadioButton>(format)->setChecked(true);
        prompts.nextFileName = InDir(QString::fromLatin1(format));
        Action("saveAction")->trigger();
        QCOMPARE(prompts.saveTitles.last(), QStringLiteral("Save to File: ") + shown);
        const char* report = QByteArray(format) == "textRadio" ? "/TNXT001" : "/TNXH001";
        QVERIFY2(bytes(prompts.nextFileName) == bytes(cli + QLatin1String(report)), format);
    }
    QVERIFY(prompts.messages.isEmpty());

    // Without the filter the commands write the whole run again, and say so.
    QTest::keyClick(FindField(), Qt::Key_Escape);
    QCOMPARE(Action("exportJsonAction")->text(), QStringLiteral("&Export JSON..."));
    prompts.nextFileName = InDir(QStringLiteral("all.htm"));
    Action("saveAction")->trigger();
    QCOMPARE(prompts.saveTitles.last(), QStringLiteral("Save to File"));
    QVERIFY(bytes(prompts.nextFileName) == bytes(InDir(QStringLiteral("TNXH001"))));
}

void FindPrintTest::printAndPdfHoldTheKeptSystemsAlone()
{
    RunAt("highRadio", "200");
    Type(QStringLiteral("gaia"));
    const std::set<int> kept = ShownNumbers();
    QVERIFY(!kept.empty() && kept.size() < 200);

    prompts.nextFileName = InDir(QStringLiteral("kept.pdf"));
    Action("exportPdfAction")->trigger();
    QCOMPARE(NumbersInPdf(prompts.nextFileName), kept);

    prompts.printTo = InDir(QStringLiteral("printed.pdf"));
    // A progress window shown on a busy machine takes the activation for a while.
    QVERIFY(QTest::qWaitForWindowActive(&Dialog()));
    QTest::keySequence(FindField(), QKeySequence(QStringLiteral("Ctrl+P")));
    QCOMPARE(prompts.printPreviews, 1);
    QCOMPARE(NumbersInPdf(prompts.printTo), kept);
    QVERIFY(prompts.messages.isEmpty());
}

void FindPrintTest::printAndPdfCancelledWhilePaintingLeaveNoFile()
{
    RunAt("highRadio", "20");
    // Each cancelled as soon as it starts; a cancel half way is the paper test's.
    const QString earlier = InDir(QStringLiteral("earlier.pdf"));
    {
        QFile file(earlier);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("an earlier file\n");
    }
    prompts.nextFileName = earlier;
    prompts.cancelNextWork = true;
    Action("exportPdfAction")->trigger();
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("an earlier file\n"));

    prompts.printTo = InDir(QStringLiteral("printed.pdf"));
    prompts.cancelNextWork = true;
    Action("printAction")->trigger();
    prompts.printTo = earlier;
    prompts.cancelNextWork = true;
    Action("printAction")->trigger();
    QCOMPARE(prompts.printPreviews, 2);
    QCOMPARE(prompts.worksStarted, 4);  // the run, the PDF and the two prints
    QFile again(earlier);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), QByteArray("an earlier file\n"));
    QCOMPARE(QDir(Dir()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("pdf")),
             QStringList{QStringLiteral("earlier.pdf")});
    QVERIFY(prompts.messages.isEmpty());
}

void FindPrintTest::copyAsTextIsTheSystemsReportRows()
{
    struct Case {
        const char* level;
        // The third system's rows, cut from the run's text report.
        std::function<QString(const QString& report)> rows;
    };
    const Case cases[] = {
        {"lowRadio",
         [](const QString& report) {
             const QStringList lines = report.split(QLatin1Char('\n'));
             return lines[0] + QLatin1Char('\n') + lines[3] + QLatin1Char('\n');
         }},
        {"mediumRadio",
         [](const QString& report) {
             const qsizetype start = report.indexOf(QStringLiteral("System 3\n"));
             return report.mid(start, report.indexOf(QStringLiteral("System 4\n")) - start);
         }},
        {"highRadio",
         [](const QString& report) {
             const qsizetype start = report.indexOf(QStringLiteral("System 3\n"));
             return report.mid(start, report.indexOf(QStringLiteral("System 4\n")) - start);
         }},
    };
    for (const Case& c : cases) {
        RunAt(c.level, "5");
        QFile report(InDir(QStringLiteral("TNXT001")));
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QModelIndex system = Tree()->model()->index(2, 0, Root());
        // The rows, then the system's name.
        const QString expected = c.rows(QString::fromUtf8(report.readAll())) + QStringLiteral("Name: ") +
                                 system.siblingAtColumn(1).data().toString() + QLatin1Char('\n');
        QVERIFY(expected.size() > 20);
        // From the system's item and from an item inside it.
        for (const QModelIndex& item : {system, Tree()->model()->index(0, 0, system)}) {
            QApplication::clipboard()->clear();
            Tree()->setFocus();
            Tree()->setCurrentIndex(item);
            QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+C")));
            QCOMPARE(QApplication::clipboard()->text(), expected);
        }
    }
}

void FindPrintTest::namesAndNotesArePrintedAndCopiedAsText()
{
    const QString name = QStringLiteral("<script>Vel</script>");
    const QString note = QStringLiteral("Raiders <b>&amp; ]]>\nsecond line");
    for (const char* level : {"lowRadio", "mediumRadio"}) {
        RunAt(level, "3");
        const QModelIndex second = Tree()->model()->index(1, 0, Root());
        Tree()->setCurrentIndex(second);
        prompts.nameAnswers = {name};
        Action("renameAction")->trigger();
        Action("showNotesAction")->trigger();
        Find<QPlainTextEdit>("notesEditor")->insertPlainText(note);
        const bool objects = Tree()->model()->rowCount(second) > 0 && level != std::string_view("lowRadio");
        if (objects) {
            Tree()->setCurrentIndex(Tree()->model()->index(0, 0, second));
            Find<QPlainTextEdit>("notesEditor")->insertPlainText(QStringLiteral("a <moon> base"));
        }
        Action("showNotesAction")->trigger();

        Tree()->setFocus();
        Action("copyTextAction")->trigger();
        const QString copied = QApplication::clipboard()->text();
        const QString edits = QStringLiteral("Name: ") + name + QStringLiteral("\nNotes:\n") + note +
                              (objects ? QStringLiteral("\nNotes on Object 2.1:\na <moon> base\n") : QStringLiteral("\n"));
        QVERIFY2(copied.endsWith(edits), qPrintable(copied));

        prompts.nextFileName = InDir(QStringLiteral("notes.pdf"));
        Action("exportPdfAction")->trigger();
        QProcess pdf;
        pdf.start(QStringLiteral("pdftotext"), {InDir(QStringLiteral("notes.pdf")), QStringLiteral("-")});
        QVERIFY(pdf.waitForFinished(60000));
        const QString text = QString::fromUtf8(pdf.readAllStandardOutput());
        for (const QString& printed : {QStringLiteral("System 2: ") + name, QStringLiteral("Notes: Raiders <b>&amp; ]]>"),
                                       QStringLiteral("second line")}) {
            QVERIFY2(text.contains(printed), qPrintable(printed + QStringLiteral(" not in ") + text));
        }
        QCOMPARE(text.contains(QStringLiteral("Notes on Object 2.1: a <moon> base")), objects);
        QVERIFY(prompts.messages.isEmpty());
    }
}

}  // namespace nexmar

QTEST_MAIN(nexmar::FindPrintTest)
#include "find_print_test.moc"
