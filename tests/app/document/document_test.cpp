#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMenu>
#include <QTest>

#include "app/document/recovery_copy.h"
#include "support/dialog_fixture.h"

Q_DECLARE_METATYPE(nexmar::UnsavedAnswer)

namespace nexmar {

namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// The recovery copies in the user's folder for them.
QStringList RecoveryCopies()
{
    return QDir(RecoveryCopy::UserFolder()).entryList({QStringLiteral("*.json")}, QDir::Files);
}

}  // namespace

class DocumentTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4242); }
    void cleanup() { Stop(); }

    void anEditedSectorSavedOpensAgainAsItWas();
    void unsavedEditsAreAskedAboutBeforeTheyAreSetAside_data();
    void unsavedEditsAreAskedAboutBeforeTheyAreSetAside();
    void theEditsOfAKilledDialogAreOfferedAtTheNextStart();

private:
    // Renames the system at place through F2's command.
    void Rename(int place, const QString& name)
    {
        Tree()->setCurrentIndex(Tree()->model()->index(place, 0, Root()));
        prompts.nameAnswers = {name};
        Action("renameAction")->trigger();
    }
    QString NameShown(int place) const { return Tree()->model()->index(place, 1, Root()).data().toString(); }
    // The Open Recent menu as it opens.
    QMenu* RecentMenu() const
    {
        QMenu* menu = Action("openRecentAction")->menu();
        emit menu->aboutToShow();
        return menu;
    }
};

void DocumentTest::anEditedSectorSavedOpensAgainAsItWas()
{
    Run("3");
    Rename(1, QStringLiteral("Vessa Reach"));
    prompts.nextFileName = InDir("sector.json");
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QCOMPARE(prompts.saveTitles, QStringList{"Save Sector"});
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("sector.json - Tolvik Nexmar"));
    // Save writes the document again, without asking where.
    Rename(2, QStringLiteral("Orm"));
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("sector.json - Tolvik Nexmar *"));
    Action("saveDocumentAction")->trigger();
    QCOMPARE(prompts.saveTitles.size(), 1);
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("sector.json - Tolvik Nexmar"));
    const QByteArray saved = FileBytes(InDir("sector.json"));

    // Started again, the document is the first of Open Recent.
    Reopen(1);
    QMenu* recent = RecentMenu();
    QCOMPARE(recent->actions().first()->text(), QStringLiteral("&1 sector.json"));
    recent->actions().first()->trigger();
    QCOMPARE(NameShown(1), QStringLiteral("Vessa Reach"));
    QCOMPARE(NameShown(2), QStringLiteral("Orm"));
    QCOMPARE(Dialog().Session().Description().seed, 4242u);
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("sector.json - Tolvik Nexmar"));
    // Saved unchanged, it is the same bytes.
    Action("saveDocumentAction")->trigger();
    QCOMPARE(FileBytes(InDir("sector.json")), saved);
    QVERIFY(prompts.messages.isEmpty());

    testing::FindWidget<QAction>(*RecentMenu(), "clearRecentAction")->trigger();
    QCOMPARE(RecentMenu()->actions().size(), 2);  // a separator and Clear List, disabled
    QVERIFY(!testing::FindWidget<QAction>(*RecentMenu(), "clearRecentAction")->isEnabled());
}

void DocumentTest::unsavedEditsAreAskedAboutBeforeTheyAreSetAside_data()
{
    QTest::addColumn<bool>("close");  // else Generate
    QTest::addColumn<UnsavedAnswer>("answer");
    QTest::addColumn<QString>("saveAs");  // the name Save asks for
    QTest::addColumn<bool>("setAside");
    for (const bool close : {false, true}) {
        const char* command = close ? "close" : "generate";
        QTest::addRow("%s, save", command) << close << UnsavedAnswer::Save << "sector.json" << true;
        QTest::addRow("%s, save cancelled", command) << close << UnsavedAnswer::Save << "" << false;
        // A file where a folder should be: no one, root included, writes there.
        QTest::addRow("%s, save fails", command) << close << UnsavedAnswer::Save << "file/sector.json" << false;
        QTest::addRow("%s, discard", command) << close << UnsavedAnswer::Discard << "" << true;
        QTest::addRow("%s, cancel", command) << close << UnsavedAnswer::Cancel << "sector.json" << false;
    }
}

void DocumentTest::unsavedEditsAreAskedAboutBeforeTheyAreSetAside()
{
    QFETCH(bool, close);
    QFETCH(UnsavedAnswer, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, setAside);
    QFile file(InDir("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    Run("3");
    Rename(1, QStringLiteral("Vessa Reach"));
    QTRY_COMPARE(RecoveryCopies().size(), 1);
    prompts.unsavedAnswers = {answer};
    prompts.nextFileName = saveAs.isEmpty() ? QString() : InDir(saveAs);
    if (close) {
        Dialog().close();
    } else {
        Run("2");
    }
    QCOMPARE(prompts.unsavedAsked, QStringList{QString()});
    const bool saved = answer == UnsavedAnswer::Save && setAside;
    QCOMPARE(FileBytes(InDir("sector.json")).contains("\"Vessa Reach\""), saved);
    QCOMPARE(Dialog().isVisible(), !(close && setAside));
    QCOMPARE(Tree()->model()->rowCount(Root()), close || !setAside ? 3 : 2);
    if (!setAside) {
        // Everything stays: the edit, its mark, its recovery copy.
        QCOMPARE(NameShown(1), QStringLiteral("Vessa Reach"));
        QCOMPARE(Dialog().windowTitle(), QStringLiteral("Tolvik Nexmar *"));
        QCOMPARE(RecoveryCopies().size(), 1);
        QCOMPARE(prompts.messages.size(), saveAs.startsWith(QStringLiteral("file/")) ? 1 : 0);
    } else {
        QCOMPARE(RecoveryCopies(), QStringList());
    }
}

// A dialog that ends without closing, as a crash or a kill ends it, leaves
// its recovery copy; no other dialog running takes it, and the next start
// offers it back.
void DocumentTest::theEditsOfAKilledDialogAreOfferedAtTheNextStart()
{
    Run("3");
    prompts.nextFileName = InDir("sector.json");
    Action("saveDocumentAsAction")->trigger();
    Rename(1, QStringLiteral("Vessa Reach"));
    QTRY_COMPARE(RecoveryCopies().size(), 1);

    auto other = std::make_unique<GeneratorDialog>(prompts, 1, Dir().toStdString());
    other->OfferRecovery();
    QCOMPARE(prompts.restoreAsked, QStringList());

    // Dropped without closing, the dialog releases its lock; a killed one
    // leaves its lock behind, held by a process no longer there.
    CloseDialog();
    const QString copy = QDir(RecoveryCopy::UserFolder()).filePath(RecoveryCopies().constFirst());
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(copy.chopped(4) + QStringLiteral("lock"));
        lock.tryLock(0);
        raise(SIGKILL);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QVERIFY(QFile::exists(copy.chopped(4) + QStringLiteral("lock")));

    Reopen(1);
    prompts.restoreAnswers = {true};
    Dialog().OfferRecovery();
    QCOMPARE(prompts.restoreAsked.size(), 1);
    QVERIFY(prompts.restoreAsked.first().contains(QDir::toNativeSeparators(InDir("sector.json"))));
    QCOMPARE(NameShown(1), QStringLiteral("Vessa Reach"));
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("sector.json - Tolvik Nexmar *"));
    QVERIFY(!FileBytes(InDir("sector.json")).contains("\"Vessa Reach\""));
    // Restored under a copy of its own; the one left is gone.
    QVERIFY(!QFile::exists(copy));
    QCOMPARE(RecoveryCopies().size(), 1);
    other->OfferRecovery();
    QCOMPARE(prompts.restoreAsked.size(), 1);

    // Saved, the edits need no copy.
    Action("saveDocumentAction")->trigger();
    QVERIFY(FileBytes(InDir("sector.json")).contains("\"Vessa Reach\""));
    QCOMPARE(RecoveryCopies(), QStringList());
}

}  // namespace nexmar

QTEST_MAIN(nexmar::DocumentTest)
#include "document_test.moc"
