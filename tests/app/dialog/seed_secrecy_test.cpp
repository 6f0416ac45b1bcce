#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

#include <string>
#include <vector>

#include "gen/names/system_names.h"
#include "support/cli_runner.h"
#include "support/dialog_fixture.h"

namespace nexmar {

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The ways a seed could be written where a player might read it.
QStringList Written(Seed seed)
{
    return {QString::number(seed), QString::number(seed, 16), QString::number(seed, 16).toUpper()};
}

std::vector<std::string> FirstNames(Seed seed, int count)
{
    const NameGenerator names(seed);
    std::vector<std::string> spelled;
    for (int number = 1; number <= count; ++number) {
        spelled.emplace_back(names.Name(number).view());
    }
    return spelled;
}

}  // namespace

// What keeps a run's seed from the players: the seed a run nobody seeded
// takes, what the players are handed, and what Player View shows.
class SeedSecrecyTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void cleanup() { Stop(); }

    void playerViewShowsNoSeedAndNoFileOfTheReferees();
    void aHandoutOfAnUnseededRunLeavesTwoToTheSixtyFourSeedsToSearch();

private:
    // Every text the window shows or would show on hovering: titles, the
    // status bar, labels, buttons, tooltips, status tips, the tree's items
    // and their tooltips, and the messages and prompts it opened.
    QStringList VisibleTexts() const
    {
        QStringList texts{Dialog().windowTitle(), Find<QStatusBar>("statusBar")->currentMessage()};
        for (const QWidget* widget : Dialog().findChildren<QWidget*>()) {
            texts << widget->toolTip() << widget->statusTip() << widget->windowTitle();
            if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                texts << label->text();
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                texts << button->text();
            }
        }
        for (const QAction* action : Dialog().findChildren<QAction*>()) {
            texts << action->text() << action->toolTip() << action->statusTip();
        }
        TreeTexts({}, texts);
        return texts << prompts.messages << prompts.seedInputs << progressLabels_;
    }
    void TreeTexts(const QModelIndex& parent, QStringList& texts) const
    {
        const QAbstractItemModel& model = *Tree()->model();
        for (int row = 0; row < model.rowCount(parent); ++row) {
            for (int column = 0; column < model.columnCount(parent); ++column) {
                const QModelIndex item = model.index(row, column, parent);
                texts << item.data().toString() << item.data(Qt::ToolTipRole).toString();
            }
            TreeTexts(model.index(row, 0, parent), texts);
        }
    }
    // The texts of those that hold any of words.
    static QStringList Holding(const QStringList& texts, const QStringList& words)
    {
        QStringList found;
        for (const QString& text : texts) {
            for (const QString& word : words) {
                if (!word.isEmpty() && text.contains(word)) {
                    found << text;
                }
            }
        }
        return found;
    }
    QStringList progressLabels_;
    void RerollRow(int row)
    {
        Tree()->setFocus();
        Tree()->setCurrentIndex(Tree()->model()->index(row, 0, Root()));
        QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+R")));
    }
};

void SeedSecrecyTest::playerViewShowsNoSeedAndNoFileOfTheReferees()
{
    Start(4242);
    prompts.duringWork = [this](QProgressDialog& progress) { progressLabels_ << progress.labelText(); };
    const QString seed = QStringLiteral("12345678901234567891");
    NumberField()->setText(QStringLiteral("5"));
    prompts.seedAnswers = QStringList{seed};
    Dialog().GenerateWithSeed();
    prompts.nextFileName = InDir(QStringLiteral("referee-campaign.json"));
    Action("saveDocumentAction")->trigger();
    QTRY_VERIFY(QFile::exists(prompts.nextFileName));
    const QStringList secrets{seed, QStringLiteral("referee-campaign"), Dir()};
    // Shown to the referee, so the test below would see them.
    QVERIFY(!Holding(VisibleTexts(), secrets).isEmpty());
    prompts.messages.clear();
    prompts.seedInputs.clear();
    progressLabels_.clear();

    Action("playerViewAction")->trigger();
    // Withheld: their file dialogs, progress and refusals name the referee's
    // files, and what they write holds the seed.
    for (const char* withheld : {"copySeedAction", "openJsonAction", "openRecentAction", "saveAction",
                                 "exportJsonAction"}) {
        QVERIFY2(!Action(withheld)->isEnabled(), withheld);
    }
    QApplication::clipboard()->setText(QStringLiteral("untouched"));
    Dialog().CopySeed();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));
    // A save while the players watch, an edit not saved, the seed prompt
    // (cancelled) and the handout written to a file.
    RerollRow(1);
    Find<QStatusBar>("statusBar")->clearMessage();
    Action("saveDocumentAction")->trigger();
    QTRY_VERIFY(Find<QStatusBar>("statusBar")->currentMessage().startsWith(QStringLiteral("Saved")));
    QCOMPARE(Holding(VisibleTexts(), secrets), QStringList());
    RerollRow(2);
    Dialog().GenerateWithSeed();
    QCOMPARE(prompts.seedInputs, QStringList{QString()});
    prompts.nextFileName = InDir(QStringLiteral("referee-handout.pdf"));
    Action("exportHandoutPdfAction")->trigger();
    QTRY_VERIFY(QFile::exists(prompts.nextFileName));
    QCOMPARE(Holding(VisibleTexts(), secrets), QStringList());

    Action("playerViewAction")->trigger();
    for (const char* given : {"copySeedAction", "openJsonAction", "openRecentAction", "saveAction", "exportJsonAction"}) {
        QVERIFY2(Action(given)->isEnabled(), given);
    }
    QVERIFY(Dialog().windowTitle().contains(QStringLiteral("referee-campaign.json")));
}

// A player holding the handout of a run the program seeded, and a computer
// that knows the name and dice algorithms, must search 2^64 seeds: the run's
// seed and each rerolled system's are drawn from the system's entropy at 64
// bits, no byte the players get holds one of them, and no 32-bit half of
// the run's seed names its systems as the run does.
void SeedSecrecyTest::aHandoutOfAnUnseededRunLeavesTwoToTheSixtyFourSeedsToSearch()
{
    Start(SeedSource::Entropy());
    Find<QRadioButton>("highRadio")->setChecked(true);
    Run(QStringLiteral("30"));
    const Seed seed = Dialog().Session().Description().seed;
    QVERIFY(seed >= kLongSeedFloor);
    std::vector<Seed> seeds{seed};
    for (const int row : {1, 4, 16}) {
        RerollRow(row);
        const SystemEdits* edits = Dialog().Session().Records().Edits().Find(row + 1);
        QVERIFY(edits != nullptr && edits->seed && *edits->seed >= kLongSeedFloor);
        seeds.push_back(*edits->seed);
    }
    const QString sector = InDir(QStringLiteral("sector.json"));
    prompts.nextFileName = sector;
    Action("exportJsonAction")->trigger();
    QTRY_VERIFY(QFile::exists(sector));
    QStringList forms;
    for (const Seed each : seeds) {
        forms << Written(each);
    }
    // The referee's document holds them all: it is never handed over.
    for (const Seed each : seeds) {
        QVERIFY(Bytes(sector).contains(QByteArray::number(each)));
    }

    QVERIFY(QDir(Dir()).mkpath(QStringLiteral("pictures")));
    QVERIFY(QDir(Dir()).mkpath(QStringLiteral("reports")));
    const std::string reports = InDir(QStringLiteral("reports")).toStdString();
    const QString handout = InDir(QStringLiteral("handout.html"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--handout", handout.toStdString()},
          {"--player", "--svg", InDir(QStringLiteral("pictures")).toStdString(), "--svg-sheet",
           InDir(QStringLiteral("sheet.svg")).toStdString()}}) {
        std::vector<std::string> all{"--from-json", sector.toStdString(), "--dir", reports};
        all.insert(all.end(), args.begin(), args.end());
        const testing::CliRun cli = testing::RunNexmarCli(all);
        QVERIFY2(cli.status == 0, cli.err.c_str());
    }
    Action("playerViewAction")->trigger();
    prompts.nextFileName = InDir(QStringLiteral("handout.pdf"));
    Action("exportHandoutPdfAction")->trigger();
    QTRY_VERIFY(QFile::exists(prompts.nextFileName));

    QByteArrayList handedOut{Bytes(handout), Bytes(InDir(QStringLiteral("sheet.svg"))), Bytes(prompts.nextFileName)};
    QDirIterator pictures(InDir(QStringLiteral("pictures")), QDir::Files);
    while (pictures.hasNext()) {
        handedOut << Bytes(pictures.next());
    }
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess text;
        text.start(pdftotext, {prompts.nextFileName, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        handedOut << text.readAllStandardOutput();
        QVERIFY(handedOut.back().contains(QByteArray::fromStdString(FirstNames(seed, 1).front())));
    }
    QVERIFY(handedOut.size() > 30);
    for (const QByteArray& bytes : handedOut) {
        for (const QString& form : forms) {
            QVERIFY2(!bytes.contains(form.toLatin1()), qPrintable(form));
        }
    }

    // The handout names the run's systems as its whole seed does, and
    // neither half of it names them so.
    const std::vector<std::string> names = FirstNames(seed, 30);
    const std::vector<std::string> low = FirstNames(seed & 0xffffffffu, 30);
    const std::vector<std::string> high = FirstNames(seed >> 32, 30);
    int alike = 0;
    for (std::size_t at = 0; at < names.size(); ++at) {
        QVERIFY2(handedOut.front().contains(QByteArray::fromStdString(names[at])), names[at].c_str());
        alike += (names[at] == low[at]) + (names[at] == high[at]);
    }
    QVERIFY(alike <= 1);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::SeedSecrecyTest)
#include "seed_secrecy_test.moc"
