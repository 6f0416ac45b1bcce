#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/document/recovery_copy.h"
#include "support/dialog_fixture.h"

Q_DECLARE_METATYPE(nexmar::ChangedOnDiskAnswer)

namespace nexmar {

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

// The text format of the message box ask opens, which is closed at once.
Qt::TextFormat FormatOfBox(const std::function<void()>& ask)
{
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&format] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            qFatal("no message box");
        }
        format = box->textFormat();
        box->done(0);
    });
    ask();
    return format;
}

}  // namespace

// What a save does to a document and what the boxes show: a document some
// other window wrote since, a name or a file's text that looks like markup,
// the format a file's name asks for, and what the recovery offer says.
class DocumentSafetyTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4242); }
    void cleanup() { Stop(); }

    void saveAsksBeforeWritingOverADocumentChangedOnDisk_data();
    void saveAsksBeforeWritingOverADocumentChangedOnDisk();
    void everyBoxShowsItsTextAsPlainText();
    void theProgressWindowShowsAFileNameAsPlainText();
    void locksAreKeptInTheDocument();
    void saveToFileFollowsTheSuffixOfTheNameChosen_data();
    void saveToFileFollowsTheSuffixOfTheNameChosen();
    void theRecoveryOfferSaysWhatNoDeletesAndThatARestoreStays();

private:
    void Select(int place) const { Tree()->setCurrentIndex(Tree()->model()->index(place, 0, Root())); }
    void Rename(int place, const QString& name)
    {
        Select(place);
        prompts.nameAnswers = {name};
        Action("renameAction")->trigger();
    }
    QString NameShown(int place) const { return Tree()->model()->index(place, 1, Root()).data().toString(); }
};

void DocumentSafetyTest::saveAsksBeforeWritingOverADocumentChangedOnDisk_data()
{
    QTest::addColumn<ChangedOnDiskAnswer>("answer");
    QTest::addColumn<QString>("onDisk");  // the first system's name in sector.json after the save
    QTest::addColumn<QString>("shown");   // the first system's name in the tree after it
    QTest::addColumn<bool>("saved");      // whether the edits made here are saved somewhere
    QTest::newRow("cancel") << ChangedOnDiskAnswer::Cancel << "Haven Prime" << "Vessa Reach" << false;
    QTest::newRow("overwrite") << ChangedOnDiskAnswer::Overwrite << "Vessa Reach" << "Vessa Reach" << true;
    QTest::newRow("reload") << ChangedOnDiskAnswer::Reload << "Haven Prime" << "Haven Prime" << true;
    QTest::newRow("save as") << ChangedOnDiskAnswer::SaveAs << "Haven Prime" << "Vessa Reach" << true;
}

void DocumentSafetyTest::saveAsksBeforeWritingOverADocumentChangedOnDisk()
{
    QFETCH(ChangedOnDiskAnswer, answer);
    QFETCH(QString, onDisk);
    QFETCH(QString, shown);
    QFETCH(bool, saved);
    Run("3");
    Rename(0, QStringLiteral("Vessa Reach"));
    prompts.nextFileName = InDir("sector.json");
    Action("saveDocumentAction")->trigger();
    // Another window renames the same system and saves: as many bytes, other ones.
    QByteArray theirs = FileBytes(InDir("sector.json"));
    theirs.replace("Vessa Reach", "Haven Prime");
    WriteBytes(InDir("sector.json"), theirs);

    Rename(1, QStringLiteral("Orm"));
    prompts.changedAnswers = {answer};
    prompts.nextFileName = InDir("mine.json");
    Action("saveDocumentAction")->trigger();
    QCOMPARE(prompts.changedAsked, QStringList{QDir::toNativeSeparators(InDir("sector.json"))});
    QVERIFY(FileBytes(InDir("sector.json")).contains(onDisk.toUtf8()));
    QCOMPARE(NameShown(0), shown);
    QCOMPARE(Dialog().windowTitle().endsWith(QStringLiteral(" *")), !saved);
    if (answer == ChangedOnDiskAnswer::SaveAs) {
        QVERIFY(FileBytes(InDir("mine.json")).contains("\"Orm\""));
    }
    // A document this window wrote last is written again without a question.
    if (saved) {
        Rename(2, QStringLiteral("Tarn"));
        Action("saveDocumentAction")->trigger();
        QCOMPARE(prompts.changedAsked.size(), 1);
        QVERIFY(!Dialog().windowTitle().endsWith(QStringLiteral(" *")));
    }
}

void DocumentSafetyTest::everyBoxShowsItsTextAsPlainText()
{
    // The real boxes, each closed as soon as it shows.
    DialogPrompts boxes;
    const QString markup = QStringLiteral("<h1>Big</h1><a href=\"x\">link</a><img src=\"/tmp/x.png\">");
    QCOMPARE(FormatOfBox([&] { boxes.ShowMessage(&Dialog(), markup); }), Qt::PlainText);
    QCOMPARE(FormatOfBox([&] { boxes.AskSaveChanges(&Dialog(), markup); }), Qt::PlainText);
    QCOMPARE(FormatOfBox([&] { boxes.AskRestore(&Dialog(), markup); }), Qt::PlainText);
    QCOMPARE(FormatOfBox([&] { boxes.AskProceed(&Dialog(), QStringLiteral("Reroll Others"), markup); }),
             Qt::PlainText);
    QCOMPARE(FormatOfBox([&] { boxes.AskChangedOnDisk(&Dialog(), markup); }), Qt::PlainText);
}

void DocumentSafetyTest::theProgressWindowShowsAFileNameAsPlainText()
{
    Run("3");
    QList<Qt::TextFormat> formats;
    prompts.duringWork = [&formats](QProgressDialog& progress) {
        formats << progress.findChild<QLabel*>()->textFormat();
    };
    prompts.nextFileName = InDir("<b>bold<i>.json");
    Action("saveDocumentAction")->trigger();
    QCOMPARE(formats, QList<Qt::TextFormat>{Qt::PlainText});
}

void DocumentSafetyTest::locksAreKeptInTheDocument()
{
    Run("3");
    Select(1);
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+L")));
    QVERIFY(Action("lockAction")->isChecked());
    // A lock is an edit, to be saved.
    QVERIFY(Dialog().windowTitle().endsWith(QStringLiteral(" *")));
    prompts.nextFileName = InDir("sector.json");
    Action("saveDocumentAction")->trigger();
    QCOMPARE(FileBytes(InDir("sector.json")).count("\"locked\""), 1);

    Reopen(1);
    Dialog().OpenFile(InDir("sector.json"));
    Select(0);
    QVERIFY(!Action("lockAction")->isChecked());
    Select(1);
    QVERIFY(Action("lockAction")->isChecked());
    prompts.proceedAnswers = {false};
    Action("rerollOthersAction")->trigger();
    QCOMPARE(prompts.proceedAsked.size(), 1);
    QVERIFY2(prompts.proceedAsked.first().contains(QStringLiteral("2 systems, each from a fresh seed; 1 system locked")),
             qPrintable(prompts.proceedAsked.first()));
}

void DocumentSafetyTest::saveToFileFollowsTheSuffixOfTheNameChosen_data()
{
    QTest::addColumn<QString>("picked");  // the output format's radio button
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("html");
    QTest::newRow("text picked, .html") << "textRadio" << "report.html" << true;
    QTest::newRow("text picked, .htm") << "textRadio" << "report.htm" << true;
    QTest::newRow("HTML picked, .csv") << "htmlRadio" << "report.csv" << false;
    QTest::newRow("HTML picked, .TXT") << "htmlRadio" << "report.TXT" << false;
    QTest::newRow("HTML picked, another suffix") << "htmlRadio" << "report.dat" << true;
    QTest::newRow("text picked, another suffix") << "textRadio" << "report.dat" << false;
}

void DocumentSafetyTest::saveToFileFollowsTheSuffixOfTheNameChosen()
{
    QFETCH(QString, picked);
    QFETCH(QString, name);
    QFETCH(bool, html);
    Run("3");
    Find<QRadioButton>(picked.toLatin1().constData())->setChecked(true);
    prompts.nextFileName = InDir(name);
    Action("saveAction")->trigger();
    QCOMPARE(FileBytes(InDir(name)).startsWith("<html>"), html);
}

void DocumentSafetyTest::theRecoveryOfferSaysWhatNoDeletesAndThatARestoreStays()
{
    Run("3");
    Rename(0, QStringLiteral("Vessa Reach"));
    QTRY_VERIFY(!QDir(RecoveryCopy::UserFolder()).entryList({QStringLiteral("*.json")}, QDir::Files).isEmpty());
    // The window ends without closing, as in a crash: its copy stays.
    Reopen(1);
    Dialog().OfferRecovery();
    QCOMPARE(prompts.restoreAsked.size(), 1);
    const QString& offer = prompts.restoreAsked.first();
    QVERIFY2(offer.contains(QStringLiteral("No deletes the recovery copy")), qPrintable(offer));
    QVERIFY2(offer.contains(QStringLiteral("cannot be undone")), qPrintable(offer));
}

}  // namespace nexmar

QTEST_MAIN(nexmar::DocumentSafetyTest)
#include "document_safety_test.moc"
