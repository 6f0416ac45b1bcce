#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>

#include "app/dialog/generator_dialog.h"
#include "support/cli_runner.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// Export PDF as a referee hands it over: read back with the PDF tools, its
// pages counted, its headings and running headers read, its images listed.
class PaperTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { Start(7); }
    void cleanup() { Stop(); }

    void highRunPrintsEachSystemOnceUnderItsHeader();
    void lowRunIsOneTableOfManySystemsAPage();
    void exportCancelledHalfWayLeavesTheEarlierFile();

private:
    // The output of a PDF tool for the file, or the test's failure.
    static QString Tool(const char* tool, const QStringList& arguments)
    {
        QProcess process;
        process.start(QString::fromLatin1(tool), arguments);
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            qFatal("%s failed", tool);
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static int Pages(const QString& pdf)
    {
        static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                               QRegularExpression::MultilineOption);
        return pages.match(Tool("pdfinfo", {pdf})).captured(1).toInt();
    }
    // Every page's text, in reading order.
    static QStringList PageTexts(const QString& pdf)
    {
        QStringList pages = Tool("pdftotext", {pdf, QStringLiteral("-")}).split(QLatin1Char('\f'));
        pages.removeLast();  // after the last page's form feed
        return pages;
    }
    void ExportPdf(const QString& name)
    {
        prompts.nextFileName = InDir(name);
        Action("exportPdfAction")->trigger();
        QVERIFY(prompts.messages.isEmpty());
    }
    void RunAt(const char* level, const char* count, bool census)
    {
        Find<QRadioButton>(level)->setChecked(true);
        Find<QCheckBox>("censusBox")->setChecked(census);
        Run(QString::fromLatin1(count));
    }
    // Checks that every system whose bodies a page shows is headed there or
    // named as continued in its header, and that each heading is printed once.
    static void CheckHeadings(const QStringList& pages, const std::set<int>& printed);
};

void PaperTest::initTestCase()
{
    for (const char* tool : {"pdfinfo", "pdftotext", "pdfimages"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            QSKIP("the PDF tools of poppler-utils are not installed");
        }
    }
}

void PaperTest::CheckHeadings(const QStringList& pages, const std::set<int>& printed)
{
    // "System 12: Velorin", and on a later page "System 12: Velorin, continued".
    static const QRegularExpression heading(QStringLiteral("^System (\\d+)(?:: (?!.*, continued$).+)?$"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression continued(QStringLiteral("^System (\\d+)(?:: .+)?, continued$"),
                                              QRegularExpression::MultilineOption);
    static const QRegularExpression body(QStringLiteral("\\bObject (\\d+)[A-C]?\\.\\d+\\b"));
    std::map<int, int> headings;
    for (const QString& page : pages) {
        std::set<int> named;
        for (const auto& match : heading.globalMatch(page)) {
            ++headings[match.captured(1).toInt()];
            named.insert(match.captured(1).toInt());
        }
        for (const auto& match : continued.globalMatch(page)) {
            named.insert(match.captured(1).toInt());
        }
        for (const auto& match : body.globalMatch(page)) {
            QVERIFY2(named.count(match.captured(1).toInt()) == 1, qPrintable(match.captured(0)));
        }
    }
    std::map<int, int> once;
    for (const int number : printed) {
        once[number] = 1;
    }
    QCOMPARE(headings, once);
}

void PaperTest::highRunPrintsEachSystemOnceUnderItsHeader()
{
    RunAt("highRadio", "200", true);
    ExportPdf(QStringLiteral("all.pdf"));
    const QString all = InDir(QStringLiteral("all.pdf"));
    const int pages = Pages(all);
    QVERIFY2(pages > 50 && pages <= 150, qPrintable(QString::number(pages)));
    const QStringList texts = PageTexts(all);
    QCOMPARE(texts.size(), pages);
    std::set<int> every;
    for (int number = 1; number <= 200; ++number) {
        every.insert(number);
    }
    CheckHeadings(texts, every);
    int continuedPages = 0;
    for (int page = 0; page < pages; ++page) {
        const QString& text = texts[page];
        QVERIFY(text.contains(QStringLiteral("200 High systems with census, seed 7")));
        QVERIFY(text.contains(QStringLiteral("All 200 systems")));
        QVERIFY(text.contains(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages)));
        continuedPages += text.contains(QStringLiteral(", continued")) ? 1 : 0;
    }
    QVERIFY2(continuedPages < pages / 3, qPrintable(QString::number(continuedPages) + " of " + QString::number(pages)));
    // Pictures are shapes and text: the image list has its two lines of head alone.
    QCOMPARE(Tool("pdfimages", {QStringLiteral("-list"), all}).trimmed().count(QLatin1Char('\n')), 1);
    // No word under 6 pt, not even a label of a tall picture (three star
    // pairs): a word's box reaches from its face's ascent to its descent,
    // about 1.15 times its size.
    static const QRegularExpression word(QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\""));
    double smallest = 100;
    for (const auto& match : word.globalMatch(Tool("pdftotext", {QStringLiteral("-bbox"), all, QStringLiteral("-")}))) {
        smallest = std::min(smallest, match.captured(2).toDouble() - match.captured(1).toDouble());
    }
    QVERIFY2(smallest >= 6 * 1.1, qPrintable(QString::number(smallest)));

    // A find's systems alone, and the find named on every page.
    QLineEdit* field = Find<QLineEdit>("findField");
    Action("findAction")->trigger();
    field->setText(QStringLiteral("gaia"));
    QTest::keyClick(field, Qt::Key_Return);
    std::set<int> kept;
    for (int row = 0; row < Tree()->model()->rowCount(Root()); ++row) {
        kept.insert(Root().model()->index(row, 0, Root()).data().toString().mid(7).toInt());
    }
    QVERIFY(!kept.empty() && kept.size() < 20);
    ExportPdf(QStringLiteral("gaia.pdf"));
    const QStringList found = PageTexts(InDir(QStringLiteral("gaia.pdf")));
    QVERIFY(static_cast<std::size_t>(found.size()) <= kept.size());
    CheckHeadings(found, kept);
    for (const QString& text : found) {
        QVERIFY(text.contains(QStringLiteral("%1 of 200 systems, found by: gaia").arg(kept.size())));
    }
}

void PaperTest::lowRunIsOneTableOfManySystemsAPage()
{
    RunAt("lowRadio", "200", true);
    ExportPdf(QStringLiteral("low.pdf"));
    const QString low = InDir(QStringLiteral("low.pdf"));
    QVERIFY2(Pages(low) <= 5, qPrintable(QString::number(Pages(low))));
    // A row a line, as laid out: each system's row once, its values beside its name.
    const QString text = Tool("pdftotext", {QStringLiteral("-layout"), low, QStringLiteral("-")});
    for (int number = 1; number <= 200; ++number) {
        const QRegularExpression row(QStringLiteral("^ *System %1(?:: .+?)? +(Minor Outpost|Outpost|Minor Colony|Colony|Major "
                                                    "Colony) +(Unimportant|Minor|Major) +\\d+ +\\d+ +\\d+ +\\d+ +\\d+ ")
                                         .arg(number),
                                     QRegularExpression::MultilineOption);
        QCOMPARE(text.count(row), 1);
    }
}

void PaperTest::exportCancelledHalfWayLeavesTheEarlierFile()
{
    const testing::CliRun cli = testing::RunNexmarCli({"--dir", Dir().toStdString(), "--seed", "11", "--systems",
                                                       "1000", "--detail", "high", "--json",
                                                       InDir(QStringLiteral("big.json")).toStdString()});
    QCOMPARE(cli.status, 0);
    prompts.nextOpenName = InDir(QStringLiteral("big.json"));
    Dialog().OpenJson();
    QCOMPARE(Tree()->model()->rowCount(Root()), 1000);

    const QString earlier = InDir(QStringLiteral("earlier.pdf"));
    {
        QFile file(earlier);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("an earlier file\n");
    }
    // The user presses Cancel once half the systems are painted.
    int shownAtCancel = 0;
    int shownLast = 0;
    int total = 0;
    prompts.duringWork = [&](QProgressDialog& progress) {
        QObject::connect(progress.findChild<QProgressBar*>(), &QProgressBar::valueChanged, &progress,
                         [&progress, &shownAtCancel, &shownLast, &total](int done) {
                             shownLast = done;
                             total = progress.maximum();
                             if (shownAtCancel == 0 && done >= 500) {
                                 shownAtCancel = done;
                                 emit progress.canceled();
                             }
                         });
    };
    prompts.nextFileName = earlier;
    Action("exportPdfAction")->trigger();
    QVERIFY(shownAtCancel >= 500);
    QCOMPARE(total, 1000);
    // It stopped where it was, far short of the end.
    QVERIFY2(shownLast < 900, qPrintable(QString::number(shownLast)));
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("an earlier file\n"));
    QCOMPARE(QDir(Dir()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("pdf")),
             QStringList{QStringLiteral("earlier.pdf")});
    QVERIFY(prompts.messages.isEmpty());
}

}  // namespace nexmar

QTEST_MAIN(nexmar::PaperTest)
#include "paper_test.moc"
