#include <signal.h>
#include <sys/resource.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include "app/dialog/generator_dialog.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// Saving after the temporary reports went wrong: the dialog must never copy
// a report that is missing or incomplete, and never touch the file the user
// named when it refuses.
class SaveFaultsTest final : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aReportDeletedAfterTheRunIsNotSaved_data() { LevelsAndFormats(); }
    void aReportDeletedAfterTheRunIsNotSaved();
    void aReportReplacedAfterTheRunIsNotSaved_data() { LevelsAndFormats(); }
    void aReportReplacedAfterTheRunIsNotSaved();
    void aSaveThatFillsTheDiskLeavesTheEarlierFile_data() { LevelsAndFormats(); }
    void aSaveThatFillsTheDiskLeavesTheEarlierFile();
    void aRunWhoseWritesFailedPartwayIsNotSaved_data() { LevelsAndFormats(); }
    void aRunWhoseWritesFailedPartwayIsNotSaved();
    void aSectorSaveThatFillsTheDiskLeavesTheDocumentAndItsMark();

private:
    static void LevelsAndFormats()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("html");
        for (const char* level : {"lowRadio", "mediumRadio", "highRadio"}) {
            QTest::addRow("%s text", level) << QString::fromLatin1(level) << false;
            QTest::addRow("%s html", level) << QString::fromLatin1(level) << true;
        }
    }
    void Run(const QString& level, int systems);
    void SaveOver(const QString& destination, bool html);
    int SystemsInTree() const
    {
        const QAbstractItemModel* model = Tree()->model();
        return model->rowCount(model->index(0, 0));
    }
    void PlaceEarlierFile() const;
    // Runs what under a file-size limit of limit bytes.
    template <class What>
    static void WithFileSizeLimit(rlim_t limit, What what);
    void ExpectEarlierFileIntact() const;
};

void SaveFaultsTest::init()
{
    Start(99, false);
}

void SaveFaultsTest::cleanup()
{
    Stop();
}

void SaveFaultsTest::Run(const QString& level, int systems)
{
    Find<QRadioButton>(level.toLatin1().constData())->setChecked(true);
    NumberField()->setText(QString::number(systems));
    Find<QCheckBox>("censusBox")->setChecked(true);
    Dialog().Generate();
}

void SaveFaultsTest::SaveOver(const QString& destination, bool html)
{
    Find<QRadioButton>(html ? "htmlRadio" : "textRadio")->setChecked(true);
    prompts.nextFileName = destination;
    Dialog().SaveToFile();
}

void SaveFaultsTest::PlaceEarlierFile() const
{
    QFile file(InDir("saved"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("an earlier save\n");
}

void SaveFaultsTest::ExpectEarlierFileIntact() const
{
    QFile file(InDir("saved"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("an earlier save\n"));
    QCOMPARE(QDir(Dir()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("saved")),
             QStringList{"saved"});
}

template <class What>
void SaveFaultsTest::WithFileSizeLimit(rlim_t limit, What what)
{
    // Only the soft limit is lowered, so it can be raised back afterwards;
    // SIGXFSZ is ignored so that writes fail as on a full disk.
    rlimit before{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &before) == 0);
    const rlimit small{limit, before.rlim_max};
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
    what();
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &before) == 0);
    ::signal(SIGXFSZ, previousHandler);
}

void SaveFaultsTest::aReportDeletedAfterTheRunIsNotSaved()
{
    QFETCH(QString, level);
    QFETCH(bool, html);
    Run(level, 20);
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(QFile::remove(InDir(html ? "TNXH001" : "TNXT001")));
    PlaceEarlierFile();
    SaveOver(InDir("saved"), html);
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kNoReportToSave)});
    ExpectEarlierFileIntact();
    QVERIFY(!QFile::exists(InDir(html ? "TNXH001" : "TNXT001")));
}

// Another instance started in the same directory deletes the report and
// writes its own, unfinished one under the same name; or something rewrites
// it in place. Either is no longer the report of this dialog's run.
void SaveFaultsTest::aReportReplacedAfterTheRunIsNotSaved()
{
    QFETCH(QString, level);
    QFETCH(bool, html);
    const char* report = html ? "TNXH001" : "TNXT001";
    for (const bool inPlace : {false, true}) {
        Run(level, 20);
        QVERIFY(prompts.messages.isEmpty());
        QFile file(InDir(report));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        file.close();
        if (!inPlace) {
            QVERIFY(QFile::remove(InDir(report)));
        }
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(whole.left(whole.size() / 2));
        file.close();
        PlaceEarlierFile();
        SaveOver(InDir("saved"), html);
        QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kNoReportToSave)});
        ExpectEarlierFileIntact();
        prompts.messages.clear();
    }
}

void SaveFaultsTest::aSaveThatFillsTheDiskLeavesTheEarlierFile()
{
    QFETCH(QString, level);
    QFETCH(bool, html);
    Run(level, 20);
    PlaceEarlierFile();
    WithFileSizeLimit(100, [&] { SaveOver(InDir("saved"), html); });
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kSaveWriteFailed)});
    ExpectEarlierFileIntact();
}

void SaveFaultsTest::aRunWhoseWritesFailedPartwayIsNotSaved()
{
    QFETCH(QString, level);
    QFETCH(bool, html);
    PlaceEarlierFile();
    WithFileSizeLimit(600, [&] { Run(level, 50); });
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kWriteReportsFailed)});
    QCOMPARE(SystemsInTree(), 50);
    QVERIFY(QFileInfo(InDir(html ? "TNXH001" : "TNXT001")).size() <= 600);
    prompts.messages.clear();
    SaveOver(InDir("saved"), html);
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kNoReportToSave)});
    QVERIFY(prompts.saveDialogs.isEmpty());
    ExpectEarlierFileIntact();
}

// Save Sector writes all or nothing: the document saved before stays whole,
// and the edits stay marked as not saved.
void SaveFaultsTest::aSectorSaveThatFillsTheDiskLeavesTheDocumentAndItsMark()
{
    Run(QStringLiteral("highRadio"), 20);
    prompts.nextFileName = InDir("sector.json");
    Dialog().SaveDocumentAs();
    QFile saved(InDir("sector.json"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();
    saved.close();
    Tree()->setCurrentIndex(Tree()->model()->index(0, 0, Tree()->model()->index(0, 0)));
    prompts.nameAnswers = {QStringLiteral("Vessa Reach")};
    Dialog().RenameSystem();
    const QString modified = QStringLiteral("sector.json - Tolvik Nexmar *");
    QCOMPARE(Dialog().windowTitle(), modified);
    WithFileSizeLimit(before.size() / 2, [&] { Dialog().SaveDocument(); });
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kSaveWriteFailed)});
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), before);
    QCOMPARE(Dialog().windowTitle(), modified);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::SaveFaultsTest)
#include "save_faults_test.moc"
