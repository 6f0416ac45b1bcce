#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog/generator_dialog.h"
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

// The tree as nexmar-cli --tree prints it, without the image numbers: two
// blanks a level, then the text.
void TreeLines(const QAbstractItemModel& model, const QModelIndex& parent, int depth, QByteArray& lines)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex item = model.index(row, 0, parent);
        lines += QByteArray(2 * depth, ' ') + item.data().toString().toUtf8() + '\n';
        TreeLines(model, item, depth + 1, lines);
    }
}

struct CliRun {
    int status = -1;
    QByteArray tree;  // without the image numbers
    QByteArray out;
};

CliRun RunCliInto(const QString& directory, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--dir", directory.toStdString()});
    const testing::CliRun cli = testing::RunNexmarCli(args);
    CliRun run{cli.status, {}, QByteArray::fromStdString(cli.out)};
    for (QByteArray line : run.out.split('\n')) {
        const int open = line.indexOf('[');
        const int close = line.indexOf("] ");
        if (open >= 0 && close > open) {
            line.remove(open, close + 2 - open);
        }
        run.tree += line + '\n';
    }
    run.tree.chop(1);  // split gives one more part than there are newlines
    return run;
}

const char* const kLevelNames[] = {"low", "medium", "high"};
const char* const kLevelRadios[] = {"lowRadio", "mediumRadio", "highRadio"};

}  // namespace

// A dialog run is repeatable: its seed, given to nexmar-cli or to the
// dialog again, gives the same tree and the same report bytes.
class SeedTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aSeededRunMatchesTheCommandLine_data();
    void aSeededRunMatchesTheCommandLine();
    void everyRunShowsAndCopiesItsOwnSeed();
    void theSeedInputRefusesWhatTheCommandLineRefuses_data();
    void theSeedInputRefusesWhatTheCommandLineRefuses();
    void exportJsonWritesTheRunsDocument();
    void openJsonShowsTheSavedRunAsItsRunDid_data();
    void openJsonShowsTheSavedRunAsItsRunDid();
    void openJsonShowsARunFilteredByWhereAsTheCommandLineDid();
    void anEditedSectorOpensAsTheCommandLineRendersIt();
    void aFileThatCannotBeShownLeavesTheEarlierRun_data();
    void aFileThatCannotBeShownLeavesTheEarlierRun();
    void saveAfterOpeningMoreThanARunMakesWritesTheOpenedRun_data();
    void saveAfterOpeningMoreThanARunMakesWritesTheOpenedRun();
    void aRefusedRunAfterOpeningTenThousandSystemsKeepsThem();
    void cancellingAnOpenLeavesTheEarlierRun();

private:
    void SetOptions(int systems, int level, bool census);
    QString Report(const char* name) const { return InDir(QString::fromLatin1(name)); }
    QAbstractItemModel& Model() const { return *Tree()->model(); }
    QByteArray TreeText() const
    {
        QByteArray lines;
        TreeLines(Model(), {}, 0, lines);
        return lines;
    }
    // What the dialog shows and wrote for its run: the tree and both reports.
    struct Shown {
        QByteArray tree;
        QByteArray text;
        QByteArray html;
    };
    Shown ShownRun() const { return {TreeText(), Bytes(Report("TNXT001")), Bytes(Report("TNXH001"))}; }
    QString RootToolTip() const { return Model().index(0, 0).data(Qt::ToolTipRole).toString(); }

    std::unique_ptr<QTemporaryDir> cliDir_;
};

void SeedTest::init()
{
    Start(1234, false);
    cliDir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(cliDir_->isValid());
}

void SeedTest::cleanup()
{
    Stop();
    cliDir_.reset();
}

void SeedTest::SetOptions(int systems, int level, bool census)
{
    NumberField()->setText(QString::number(systems));
    Find<QRadioButton>(kLevelRadios[level])->setChecked(true);
    Find<QCheckBox>("censusBox")->setChecked(census);
}

void SeedTest::aSeededRunMatchesTheCommandLine_data()
{
    QTest::addColumn<uint>("seed");
    QTest::addColumn<int>("systems");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("census");
    for (int i = 0; i < 20; ++i) {
        // The ends of the range, then seeds spread across it.
        const uint seed = i == 0 ? 0u : i == 1 ? 4294967295u : static_cast<uint>(i) * 214013u * 2531011u;
        const int systems = 1 + (i * 53) % 200;
        for (int level = 0; level < 3; ++level) {
            for (const bool census : {false, true}) {
                QTest::addRow("%s%s seed %u, %d systems", kLevelNames[level], census ? " census" : "", seed,
                              systems)
                    << seed << systems << level << census;
            }
        }
    }
}

void SeedTest::aSeededRunMatchesTheCommandLine()
{
    QFETCH(uint, seed);
    QFETCH(int, systems);
    QFETCH(int, level);
    QFETCH(bool, census);
    SetOptions(systems, level, census);
    prompts.seedAnswers = QStringList{QString::number(seed)};
    Dialog().GenerateWithSeed();
    QVERIFY(prompts.messages.isEmpty());
    QByteArray dialogTree;
    TreeLines(Model(), {}, 0, dialogTree);

    std::vector<std::string> args{"--seed", std::to_string(seed), "--systems", std::to_string(systems),
                                  "--detail", kLevelNames[level], "--tree"};
    if (census) {
        args.push_back("--census");
    }
    const CliRun cli = RunCliInto(cliDir_->path(), args);
    QCOMPARE(cli.status, 0);
    QCOMPARE(dialogTree, cli.tree);
    QCOMPARE(Bytes(Report("TNXT001")), Bytes(cliDir_->filePath(QStringLiteral("TNXT001"))));
    QCOMPARE(Bytes(Report("TNXH001")), Bytes(cliDir_->filePath(QStringLiteral("TNXH001"))));
}

void SeedTest::everyRunShowsAndCopiesItsOwnSeed()
{
    SetOptions(30, 2, true);
    // The first run rolls from the seed the dialog started with.
    Dialog().Generate();
    QCOMPARE(Model().index(0, 0).data().toString(), QStringLiteral("System Results"));
    QCOMPARE(RootToolTip(), QStringLiteral("Seed 1234"));
    const QByteArray firstReport = Bytes(Report("TNXT001"));
    QCOMPARE(firstReport, (RunCliInto(cliDir_->path(), {"--seed", "1234", "--systems", "30", "--detail", "high",
                                                         "--census"}),
                           Bytes(cliDir_->filePath(QStringLiteral("TNXT001")))));

    // A later run takes a seed of its own, which repeats it exactly.
    Dialog().Generate();
    const QString tip = RootToolTip();
    QVERIFY(tip.startsWith(QStringLiteral("Seed ")));
    QVERIFY(tip != QStringLiteral("Seed 1234"));
    const QString seed = tip.mid(5);
    Dialog().CopySeed();
    QCOMPARE(QApplication::clipboard()->text(), seed);
    const QByteArray secondReport = Bytes(Report("TNXT001"));
    QVERIFY(secondReport != firstReport);
    RunCliInto(cliDir_->path(), {"--seed", seed.toStdString(), "--systems", "30", "--detail", "high", "--census"});
    QCOMPARE(secondReport, Bytes(cliDir_->filePath(QStringLiteral("TNXT001"))));

    // The seed input offers the latest run's seed.
    Dialog().GenerateWithSeed();
    QCOMPARE(prompts.seedInputs, QStringList{seed});
    QVERIFY(prompts.messages.isEmpty());
}

void SeedTest::theSeedInputRefusesWhatTheCommandLineRefuses_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString range = QStringLiteral("; expected an integer from 0 to 18446744073709551615");
    QTest::newRow("letters") << "12x" << "Seed: '12x' is not an integer" + range;
    QTest::newRow("empty") << "" << "Seed: '' is not an integer" + range;
    QTest::newRow("blank inside") << "5 5" << "Seed: '5 5' is not an integer" + range;
    QTest::newRow("sign alone") << "+" << "Seed: '+' is not an integer" + range;
    QTest::newRow("too large") << "18446744073709551616" << "Seed: '18446744073709551616' is out of range" + range;
    QTest::newRow("far too large") << "99999999999999999999999" << "Seed: '99999999999999999999999' is out of range" + range;
    QTest::newRow("negative") << "-1" << "Seed: '-1' is out of range" + range;
}

void SeedTest::theSeedInputRefusesWhatTheCommandLineRefuses()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    SetOptions(3, 0, false);
    // Refused, asked again with the text as typed, then accepted: a plus
    // sign and leading zeros change nothing.
    prompts.seedAnswers = QStringList{typed, QStringLiteral("+00018446744073709551615")};
    Dialog().GenerateWithSeed();
    QCOMPARE(prompts.messages, QStringList{message});
    QCOMPARE(prompts.seedInputs, (QStringList{QString(), typed}));
    QCOMPARE(RootToolTip(), QStringLiteral("Seed 18446744073709551615"));
}

void SeedTest::exportJsonWritesTheRunsDocument()
{
    QVERIFY(QDir(Dir()).mkdir(QStringLiteral("exports")));
    const QString target = InDir(QStringLiteral("exports/run.json"));
    QFile earlier(target);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an older file\n");
    earlier.close();

    SetOptions(12, 1, true);
    prompts.seedAnswers = QStringList{QStringLiteral("77")};
    Dialog().GenerateWithSeed();
    prompts.nextFileName = target;
    Dialog().ExportJson();
    QVERIFY(prompts.messages.isEmpty());

    // The command line's document of the same run, but for the program's name.
    const CliRun cli =
        RunCliInto(cliDir_->path(), {"--seed", "77", "--systems", "12", "--detail", "medium", "--census", "--json", "-"});
    QByteArray expected = cli.out;
    expected.replace("{\"program\":\"nexmar-cli\",", "{\"program\":\"nexmar\",");
    QCOMPARE(Bytes(target), expected);

    // Both saves open where the last one went, in this dialog and the next.
    Find<QRadioButton>("htmlRadio")->setChecked(true);
    prompts.nextFileName = InDir(QStringLiteral("exports/run.htm"));
    Dialog().SaveToFile();
    Reopen(1, false);
    SetOptions(1, 0, false);
    Dialog().Generate();
    prompts.nextFileName.clear();
    Dialog().SaveToFile();
    const QString exports = QFileInfo(target).absolutePath();
    QCOMPARE(prompts.saveDirectories, (QStringList{QString(), exports, exports}));
    QCOMPARE(prompts.saveDialogs, (QStringList{"JSON File (*.json)|json", "HTML File (*.htm)|htm",
                                                 "Text File (*.txt)|txt"}));

    // An export cancelled leaves the earlier file as it was.
    prompts.nextFileName = target;
    prompts.cancelNextWork = true;
    Dialog().ExportJson();
    QCOMPARE(Bytes(target), expected);
    QVERIFY(prompts.messages.isEmpty());
}

void SeedTest::openJsonShowsTheSavedRunAsItsRunDid_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("census");
    for (int level = 0; level < 3; ++level) {
        for (const bool census : {false, true}) {
            QTest::addRow("%s%s", kLevelNames[level], census ? " census" : "") << level << census;
        }
    }
}

void SeedTest::openJsonShowsTheSavedRunAsItsRunDid()
{
    QFETCH(int, level);
    QFETCH(bool, census);
    QVERIFY(QDir(Dir()).mkdir(QStringLiteral("runs")));
    const QString saved = InDir(QStringLiteral("runs/saved.json"));
    SetOptions(40, level, census);
    prompts.seedAnswers = QStringList{QStringLiteral("3141592653")};
    Dialog().GenerateWithSeed();
    const Shown shown = ShownRun();
    prompts.nextFileName = saved;
    Dialog().ExportJson();

    // Another run with other options, then the saved one again.
    SetOptions(3, (level + 1) % 3, !census);
    Dialog().Generate();
    QVERIFY(TreeText() != shown.tree);
    prompts.nextOpenName = saved;
    Dialog().show();
    QVERIFY(QTest::qWaitForWindowActive(&Dialog()));
    QTest::keyClick(NumberField(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(prompts.messages, QStringList());
    QCOMPARE(prompts.openDialogs, QStringList{QStringLiteral("JSON File (*.json)")});
    QCOMPARE(prompts.openDirectories, QStringList{QFileInfo(saved).absolutePath()});
    QCOMPARE(TreeText(), shown.tree);
    QCOMPARE(RootToolTip(), QStringLiteral("Seed 3141592653"));
    QCOMPARE(Bytes(Report("TNXT001")), shown.text);
    QCOMPARE(Bytes(Report("TNXH001")), shown.html);
    QCOMPARE(NumberField()->text(), QStringLiteral("40"));
    QVERIFY(Find<QRadioButton>(kLevelRadios[level])->isChecked());
    QCOMPARE(Find<QCheckBox>("censusBox")->isChecked(), census);

    // Save to File and Export JSON give what the saved run gave.
    prompts.nextFileName = InDir(QStringLiteral("runs/copy.txt"));
    Dialog().SaveToFile();
    QCOMPARE(Bytes(prompts.nextFileName), shown.text);
    prompts.nextFileName = InDir(QStringLiteral("runs/again.json"));
    Dialog().ExportJson();
    QCOMPARE(Bytes(prompts.nextFileName), Bytes(saved));
    QCOMPARE(prompts.messages, QStringList());
}

// A document nexmar-cli --where wrote keeps only the matching systems, under
// their numbers in the run: the dialog shows them as the command line did,
// and Export JSON writes that document again, as the dialog's.
void SeedTest::openJsonShowsARunFilteredByWhereAsTheCommandLineDid()
{
    const QString saved = cliDir_->filePath(QStringLiteral("filtered.json"));
    const CliRun cli = RunCliInto(cliDir_->path(), {"--seed", "23", "--systems", "60", "--detail", "medium", "--where",
                                                    "moons >= 4", "--tree", "--json", saved.toStdString()});
    QCOMPARE(cli.status, 0);
    prompts.nextOpenName = saved;
    Dialog().OpenJson();
    QCOMPARE(prompts.messages, QStringList());
    QCOMPARE(TreeText(), cli.tree);
    QCOMPARE(Bytes(Report("TNXT001")), Bytes(cliDir_->filePath(QStringLiteral("TNXT001"))));
    QCOMPARE(Bytes(Report("TNXH001")), Bytes(cliDir_->filePath(QStringLiteral("TNXH001"))));
    prompts.nextFileName = InDir(QStringLiteral("again.json"));
    Dialog().ExportJson();
    QCOMPARE(Bytes(prompts.nextFileName),
             Bytes(saved).replace("\"program\":\"nexmar-cli\"", "\"program\":\"nexmar\""));
}

// A sector a referee named and annotated (markup in a name, a note of two
// lines) opens as nexmar-cli --from-json renders it, and Export JSON gives
// back the document the command line writes for it.
void SeedTest::anEditedSectorOpensAsTheCommandLineRendersIt()
{
    const QString saved = cliDir_->filePath(QStringLiteral("sector.json"));
    QCOMPARE(RunCliInto(cliDir_->path(), {"--seed", "9", "--systems", "5", "--detail", "medium", "--json",
                                          saved.toStdString()})
                 .status,
             0);
    const std::string second(NameGenerator(9).Name(2).view());
    const QByteArray name = "\"name\":\"" + QByteArray::fromStdString(second) + "\"";
    QByteArray edited = Bytes(saved);
    QVERIFY(edited.contains(name));
    edited.replace(name, "\"name\":\"<b>Port & \\\"Velorin\\\"</b>\",\"notes\":\"Pirates\\nin the belt\"");
    const QString sector = cliDir_->filePath(QStringLiteral("edited.json"));
    QFile file(sector);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(edited);
    file.close();
    const QString rendered = cliDir_->filePath(QStringLiteral("rendered.json"));
    const CliRun cli = RunCliInto(cliDir_->path(), {"--from-json", sector.toStdString(), "--tree", "--json",
                                                    rendered.toStdString()});
    QCOMPARE(cli.status, 0);

    prompts.nextOpenName = sector;
    Dialog().OpenJson();
    QCOMPARE(prompts.messages, QStringList());
    QCOMPARE(TreeText(), cli.tree);
    QCOMPARE(Bytes(Report("TNXT001")), Bytes(cliDir_->filePath(QStringLiteral("TNXT001"))));
    prompts.nextFileName = InDir(QStringLiteral("again.json"));
    Dialog().ExportJson();
    QCOMPARE(Bytes(prompts.nextFileName),
             Bytes(rendered).replace("\"program\":\"nexmar-cli\"", "\"program\":\"nexmar\""));
}

void SeedTest::aFileThatCannotBeShownLeavesTheEarlierRun_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("cut short") << QByteArray("{\"program\":\"nexmar\",\"version\":\"1.0\",\"format\":1,\"seed\":7,"
                                             "\"detail\":\"Low\",\"census\":false,\"systems\":[\n{\"number\":1,")
                               << QStringLiteral("/systems/0 (line 2): expected a key in double quotes, found the end "
                                                 "of the file");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("/ (line 1): not a JSON document: the file is empty");
    QTest::newRow("not JSON") << QByteArray("System,Size\n")
                              << QStringLiteral("/ (line 1): not a JSON document of a run; expected '{' at its start, "
                                                "found 'S'");
    QTest::newRow("later format") << QByteArray("{\"format\":4}")
                                  << QStringLiteral("/format (line 1): expected an integer from 1 to 3, found 4");
    QByteArray tooMany = "{\"program\":\"nexmar\",\"version\":\"1.0\",\"format\":1,\"seed\":7,\"detail\":\"Low\","
                         "\"census\":false,\"systems\":[";
    for (int number = 1; number <= 10001; ++number) {
        // Every run opens with a Major Colony.
        tooMany += number == 1 ? QByteArray("\n{\"number\":1,\"size\":\"Major Colony\",\"importance\":\"Major\","
                                            "\"capacity\":10,\"raw\":4,\"special\":\"Special: Rich in Rare Metals\"}")
                               : QByteArray(",\n{\"number\":%1,\"size\":\"Outpost\",\"importance\":\"Unimportant\","
                                            "\"capacity\":4,\"raw\":1,\"special\":\"No special\"}")
                                     .replace("%1", QByteArray::number(number));
    }
    tooMany += "\n]}\n";
    QTest::newRow("too many systems")
        << tooMany
        << QStringLiteral("The file holds more than 10,000 systems, more than this window shows.\n"
                          "Open it with nexmar-cli --from-json.");
}

void SeedTest::aFileThatCannotBeShownLeavesTheEarlierRun()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString bad = InDir(QStringLiteral("bad.json"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    SetOptions(25, 2, true);
    Dialog().Generate();
    const Shown shown = ShownRun();

    prompts.nextOpenName = bad;
    Dialog().OpenJson();
    QCOMPARE(prompts.messages, QStringList{message});
    QCOMPARE(TreeText(), shown.tree);
    QCOMPARE(RootToolTip(), QStringLiteral("Seed 1234"));
    QCOMPARE(Bytes(Report("TNXT001")), shown.text);
    QCOMPARE(Bytes(Report("TNXH001")), shown.html);
    QCOMPARE(NumberField()->text(), QStringLiteral("25"));
    prompts.nextFileName = InDir(QStringLiteral("kept.txt"));
    Dialog().SaveToFile();
    QCOMPARE(Bytes(prompts.nextFileName), shown.text);
}

void SeedTest::saveAfterOpeningMoreThanARunMakesWritesTheOpenedRun_data()
{
    QTest::addColumn<int>("systems");
    QTest::addColumn<int>("level");
    QTest::newRow("201 High") << 201 << 2;
    QTest::newRow("10,000 Low") << 10000 << 0;
}

// More systems than one Generate makes (the count field, which would
// refuse 201 or 10,000, keeps its count): Save writes the opened run's reports, as nexmar-cli --from-json
// writes them from the same file.
void SeedTest::saveAfterOpeningMoreThanARunMakesWritesTheOpenedRun()
{
    QFETCH(int, systems);
    QFETCH(int, level);
    const QString saved = InDir(QStringLiteral("large.json"));
    const std::string count = std::to_string(systems);
    QCOMPARE(RunCliInto(cliDir_->path(), {"--seed", "31", "--systems", count, "--detail", kLevelNames[level],
                                          "--census", "--json", saved.toStdString()})
                 .status,
             0);
    QCOMPARE(RunCliInto(cliDir_->path(), {"--from-json", saved.toStdString()}).status, 0);

    NumberField()->setText(QStringLiteral("12"));
    prompts.nextOpenName = saved;
    Dialog().OpenJson();
    QCOMPARE(prompts.messages, QStringList());
    QCOMPARE(NumberField()->text(), QStringLiteral("12"));
    for (const char* format : {"textRadio", "htmlRadio"}) {
        Find<QRadioButton>(format)->setChecked(true);
        prompts.nextFileName = InDir(QString::fromLatin1(format));
        Dialog().SaveToFile();
        QCOMPARE(prompts.messages, QStringList());
        const char* report = QByteArray(format) == "textRadio" ? "TNXT001" : "TNXH001";
        QVERIFY2(Bytes(prompts.nextFileName) == Bytes(cliDir_->filePath(QString::fromLatin1(report))), format);
    }
}

// Opening 10,000 systems puts no count into the field that it would refuse,
// and a Generate with Seed refused for the field's count leaves the opened
// run on screen.
void SeedTest::aRefusedRunAfterOpeningTenThousandSystemsKeepsThem()
{
    const QString saved = InDir(QStringLiteral("large.json"));
    QCOMPARE(RunCliInto(cliDir_->path(), {"--seed", "31", "--systems", "10000", "--json", saved.toStdString()})
                 .status,
             0);
    prompts.nextOpenName = saved;
    Dialog().OpenJson();
    QCOMPARE(NumberField()->text(), QStringLiteral("0"));
    const QByteArray opened = TreeText();

    prompts.seedAnswers = QStringList{"77"};
    Dialog().GenerateWithSeed();
    QCOMPARE(prompts.messages, QStringList{"Please enter an integer between 1 and 200."});
    QCOMPARE(Model().rowCount(Model().index(0, 0)), 10000);
    QVERIFY(TreeText() == opened);
    QCOMPARE(Dialog().Session().Description().seed, 31u);
    QVERIFY(Action("exportJsonAction")->isEnabled());

    NumberField()->setText(QStringLiteral("4"));
    prompts.seedAnswers = QStringList{"77"};
    Dialog().GenerateWithSeed();
    QCOMPARE(Model().rowCount(Model().index(0, 0)), 4);
    QCOMPARE(Dialog().Session().Description().seed, 77u);
}

void SeedTest::cancellingAnOpenLeavesTheEarlierRun()
{
    const QString saved = InDir(QStringLiteral("other.json"));
    QCOMPARE(RunCliInto(cliDir_->path(), {"--seed", "8", "--systems", "300", "--detail", "medium", "--json",
                                          saved.toStdString()})
                 .status,
             0);
    SetOptions(6, 2, true);
    Dialog().Generate();
    const Shown shown = ShownRun();

    prompts.nextOpenName = saved;
    prompts.cancelNextWork = true;
    Dialog().OpenJson();
    QCOMPARE(prompts.worksStarted, 2);
    QCOMPARE(prompts.messages, QStringList());
    QCOMPARE(TreeText(), shown.tree);
    QCOMPARE(RootToolTip(), QStringLiteral("Seed 1234"));
    QCOMPARE(NumberField()->text(), QStringLiteral("6"));
    QVERIFY(Find<QRadioButton>("highRadio")->isChecked());
    QCOMPARE(Bytes(Report("TNXT001")), shown.text);
    QCOMPARE(Dialog().Session().Description().seed, 1234u);
    prompts.nextFileName = InDir(QStringLiteral("kept.txt"));
    Dialog().SaveToFile();
    QCOMPARE(Bytes(prompts.nextFileName), shown.text);
    // Only scratch files of the dialog's own are left: no half-written report.
    QStringList files = QDir(Dir()).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, (QStringList{"TNXH001", "TNXT001", "kept.txt", "other.json"}));
}

}  // namespace nexmar

QTEST_MAIN(nexmar::SeedTest)
#include "seed_test.moc"
