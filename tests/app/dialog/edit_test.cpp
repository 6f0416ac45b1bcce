#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include <functional>
#include <string>

#include "gen/names/sector_edits.h"
#include "support/dialog_fixture.h"

namespace nexmar {
namespace {

// Every item's text in tree order, one a line, as the tree shows them.
void TreeTexts(const QAbstractItemModel& model, const QModelIndex& parent, QStringList& texts)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex item = model.index(row, 0, parent);
        texts << item.data().toString();
        TreeTexts(model, item, texts);
    }
}

// The bytes of every file in directory, the reports among them.
QByteArrayList FileBytes(const QString& directory)
{
    QByteArrayList bytes;
    for (const QFileInfo& info : QDir(directory).entryInfoList(QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        bytes << info.fileName().toUtf8() + (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
    }
    return bytes;
}

}  // namespace

class EditTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4242); }
    void cleanup() { Stop(); }

    void aRenameShowsBesideItsSystemAndIsUndoneAndRedone();
    void notesAreUndoneABurstOfTypingAtATime();
    void aRerollUndoneGivesBackEveryByteOfTheReports();
    void rerollOthersLeavesTheLockedSystems();
    void whatNoOutputCanCarryIsRefusedWhereverItIsTyped();

private:
    // A run of count systems at level.
    void RunAt(const char* level, const QString& count)
    {
        Find<QRadioButton>(level)->click();
        Run(count);
    }
    // What the referee made of system number; nothing made: an empty one.
    SystemEdits EditsOf(int number) const
    {
        const SystemEdits* edits = Dialog().Session().Records().Edits().Find(number);
        return edits != nullptr ? *edits : SystemEdits{};
    }
    // The run's two reports, as Save to File would copy them.
    QByteArrayList Reports() const
    {
        QByteArrayList bytes;
        for (const char* name : {kTextReportName, kHtmlReportName}) {
            QFile file(InDir(QString::fromLatin1(name)));
            bytes << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("none"));
        }
        return bytes;
    }
    QStringList AllTreeTexts() const
    {
        QStringList texts;
        TreeTexts(*Tree()->model(), {}, texts);
        return texts;
    }
};

void EditTest::aRenameShowsBesideItsSystemAndIsUndoneAndRedone()
{
    Run("3");
    const QAbstractItemModel& model = *Tree()->model();
    const auto nameShown = [&] { return model.index(1, 1, Root()).data().toString(); };
    const QString generated = nameShown();
    const QString firstName = model.index(0, 1, Root()).data().toString();
    QVERIFY(!generated.isEmpty());
    QStringList texts;
    TreeTexts(model, {}, texts);
    const QByteArrayList files = FileBytes(Dir());
    Tree()->setFocus();
    Tree()->setCurrentIndex(model.index(1, 0, Root()));
    Action("copyTextAction")->trigger();
    const QString copied = QApplication::clipboard()->text();

    // A name the reader would refuse is refused here too, and nothing changes.
    prompts.nameAnswers = {QStringLiteral(" Vessa Reach"), QStringLiteral("Vessa Reach")};
    QTest::keyClick(Tree(), Qt::Key_F2);
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(nameShown(), generated);
    QTest::keyClick(Tree(), Qt::Key_F2);
    QCOMPARE(prompts.nameTitles, (QStringList{"Rename System 2", "Rename System 2"}));
    QCOMPARE(nameShown(), QStringLiteral("Vessa Reach"));
    QVERIFY(Dialog().Session().SystemSvg(1).find("Vessa Reach") != std::string::npos);
    const QString modified = QStringLiteral("Tolvik Nexmar *");
    QCOMPARE(Dialog().windowTitle(), modified);

    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(nameShown(), generated);
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("Tolvik Nexmar"));
    QVERIFY(Dialog().Session().SystemSvg(1).find("Vessa Reach") == std::string::npos);
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Y")));
    QCOMPARE(nameShown(), QStringLiteral("Vessa Reach"));
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    QCOMPARE(nameShown(), QStringLiteral("Vessa Reach"));
    QCOMPARE(model.index(0, 1, Root()).data().toString(), firstName);

    // The tree's texts and the reports keep every byte; Copy as Text its rows.
    QStringList textsAfter;
    TreeTexts(model, {}, textsAfter);
    QCOMPARE(textsAfter, texts);
    QCOMPARE(FileBytes(Dir()), files);
    Action("copyTextAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QString(copied).replace(QStringLiteral("Name: ") + generated, QStringLiteral("Name: Vessa Reach")));

    prompts.nextFileName = InDir("renamed.json");
    QCOMPARE(Dialog().windowTitle(), modified);
    Action("exportJsonAction")->trigger();
    QFile json(InDir("renamed.json"));
    QTRY_VERIFY(json.exists());
    QVERIFY(json.open(QIODevice::ReadOnly));
    QVERIFY(json.readAll().contains("\"Vessa Reach\""));
    // An export is a copy: the sector's edits are still to be saved.
    QCOMPARE(Dialog().windowTitle(), modified);
    prompts.nextFileName = InDir("sector.json");
    Action("saveDocumentAction")->trigger();
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("sector.json - Tolvik Nexmar"));
}

void EditTest::notesAreUndoneABurstOfTypingAtATime()
{
    RunAt("mediumRadio", "3");
    Action("showNotesAction")->trigger();
    auto* editor = Find<QPlainTextEdit>("notesEditor");
    QVERIFY(editor->isVisible());
    QVERIFY(editor->isReadOnly());
    const QModelIndex second = Tree()->model()->index(1, 0, Root());
    Tree()->setCurrentIndex(second);
    QVERIFY(!editor->isReadOnly());
    QVERIFY(Find<QLabel>("notesHeading")->text().startsWith(QStringLiteral("System 2, ")));

    // Two bursts of typing, the focus leaving the pane between them.
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("Pirates <b>"));
    Tree()->setFocus();
    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, QStringLiteral(" ]]>"));
    QCOMPARE(EditsOf(2).notes, std::string("Pirates <b> ]]>"));
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("Tolvik Nexmar *"));
    // Ctrl+Z in the pane is the window's Undo: a whole burst goes.
    QTest::keySequence(editor, QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(EditsOf(2).notes, std::string("Pirates <b>"));
    QCOMPARE(editor->toPlainText(), QStringLiteral("Pirates <b>"));
    QTest::keySequence(editor, QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(EditsOf(2).notes, std::string());
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("Tolvik Nexmar"));
    QTest::keySequence(editor, QKeySequence(QStringLiteral("Ctrl+Y")));
    QTest::keySequence(editor, QKeySequence(QStringLiteral("Ctrl+Y")));
    QCOMPARE(editor->toPlainText(), QStringLiteral("Pirates <b> ]]>"));

    // An object's notes are its own; the system's come back with the system.
    Tree()->setCurrentIndex(Tree()->model()->index(1, 0, second));
    QCOMPARE(editor->toPlainText(), QString());
    QVERIFY(Find<QLabel>("notesHeading")->text().startsWith(QStringLiteral("Object 2.2 in System 2, ")));
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("moon base"));
    QCOMPARE(EditsOf(2).objectNotes, (std::map<std::string, std::string, std::less<>>{{"2", "moon base"}}));
    Tree()->setCurrentIndex(second);
    QCOMPARE(editor->toPlainText(), QStringLiteral("Pirates <b> ]]>"));
    Action("undoAction")->trigger();
    QVERIFY(EditsOf(2).objectNotes.empty());
    QCOMPARE(EditsOf(2).notes, std::string("Pirates <b> ]]>"));

    // A note the document would refuse is not kept, and the pane says why.
    editor->insertPlainText(QStringLiteral("\tTab"));
    QCOMPARE(EditsOf(2).notes, std::string("Pirates <b> ]]>"));
    bool told = false;
    for (const QLabel* label : editor->parentWidget()->findChildren<QLabel*>()) {
        told = told || (label->isVisible() && label->text().contains(QStringLiteral("control character")));
    }
    QVERIFY(told);
    QVERIFY(prompts.messages.isEmpty());
}

void EditTest::aRerollUndoneGivesBackEveryByteOfTheReports()
{
    RunAt("highRadio", "4");
    const QStringList texts = AllTreeTexts();
    const QByteArrayList files = Reports();
    Tree()->setCurrentIndex(Tree()->model()->index(2, 0, Root()));
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+R")));
    QVERIFY(EditsOf(3).seed.has_value());
    QVERIFY(!EditsOf(2).seed.has_value());
    const QStringList rerolled = AllTreeTexts();
    const QByteArrayList rerolledFiles = Reports();
    QVERIFY(rerolled != texts);
    QVERIFY(rerolledFiles != files);
    QCOMPARE(rerolled.mid(0, texts.indexOf(QStringLiteral("System 3"))),
             texts.mid(0, texts.indexOf(QStringLiteral("System 3"))));
    QCOMPARE(Tree()->currentIndex(), Tree()->model()->index(2, 0, Root()));

    // The document of the edited sector opens to the same reports, byte for byte.
    prompts.nextFileName = InDir("edited.json");
    Action("exportJsonAction")->trigger();
    QTRY_VERIFY(QFile::exists(InDir("edited.json")));
    Tree()->setCurrentIndex(Tree()->model()->index(2, 0, Root()));
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(AllTreeTexts(), texts);
    QCOMPARE(Reports(), files);
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    QCOMPARE(AllTreeTexts(), rerolled);
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+Z")));
    Dialog().OpenFile(InDir("edited.json"));
    QCOMPARE(AllTreeTexts(), rerolled);
    QCOMPARE(Reports(), rerolledFiles);
    QVERIFY(prompts.messages.isEmpty());
}

void EditTest::rerollOthersLeavesTheLockedSystems()
{
    RunAt("highRadio", "4");
    const QAbstractItemModel& model = *Tree()->model();
    const std::vector<SystemRecord> before(Dialog().Session().Records().AsLoadedRun().systems);
    Tree()->setCurrentIndex(model.index(1, 0, Root()));
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+L")));
    QVERIFY(Action("lockAction")->isChecked());
    QVERIFY(!model.index(1, 1, Root()).data(Qt::DecorationRole).isNull());
    QVERIFY(model.index(0, 1, Root()).data(Qt::DecorationRole).isNull());

    Action("rerollOthersAction")->trigger();
    const RunRecords& records = Dialog().Session().Records();
    QVERIFY(records.At(1) == before[1]);
    QVERIFY(!EditsOf(2).seed.has_value());
    for (const int number : {1, 3, 4}) {
        QVERIFY(EditsOf(number).seed.has_value());
        QVERIFY(records.At(static_cast<std::size_t>(number - 1)) != before[static_cast<std::size_t>(number - 1)]);
    }
    // The lock outlives the tree rendered again.
    QVERIFY(!model.index(1, 1, Root()).data(Qt::DecorationRole).isNull());
    QCOMPARE(Action("undoAction")->text(), QStringLiteral("&Undo Reroll 3 Systems"));
    Action("undoAction")->trigger();
    QVERIFY(Dialog().Session().Records().AsLoadedRun().systems == before);

    // With every system locked there is nothing to reroll.
    for (int row = 0; row < 4; ++row) {
        Tree()->setCurrentIndex(model.index(row, 0, Root()));
        if (!Action("lockAction")->isChecked()) {
            Action("lockAction")->trigger();
        }
    }
    Action("rerollOthersAction")->trigger();
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(Dialog().Session().Records().AsLoadedRun().systems == before);
}

// A name or note holding what XML forbids, or another noncharacter, is
// refused wherever it is typed, as the reader refuses it; the edges of what
// XML allows are kept, and the picture holding them is XML.
void EditTest::whatNoOutputCanCarryIsRefusedWhereverItIsTyped()
{
    RunAt("highRadio", "2");
    Action("showNotesAction")->trigger();
    Tree()->setFocus();
    Tree()->setCurrentIndex(Tree()->model()->index(0, 0, Root()));
    const struct {
        const char* where;
        std::function<void(const QString&)> type;
        std::function<std::string()> kept;
    } entries[] = {
        {"Rename System",
         [&](const QString& text) {
             prompts.nameAnswers = {text};
             QTest::keyClick(Tree(), Qt::Key_F2);
         },
         [&] { return EditsOf(1).name.value_or(std::string()); }},
        {"notes pane", [&](const QString& text) { Find<QPlainTextEdit>("notesEditor")->setPlainText(text); },
         [&] { return EditsOf(1).notes; }},
        {"players' notes pane",
         [&](const QString& text) { Find<QPlainTextEdit>("playerNotesEditor")->setPlainText(text); },
         [&] { return EditsOf(1).playerNotes; }},
        {"Player Notes",
         [&](const QString& text) {
             prompts.notesAnswers = {text};
             Action("playerNotesAction")->trigger();
         },
         [&] { return EditsOf(1).playerNotes; }},
    };
    const std::string edges = "Edge \uD7FF\uE000\uFFFD\U00010000\U0010FFFD";
    const char* const refused[] = {"A\uFFFE", "A\uFFFF", "A\uFDD0", "A\U0001FFFF", "A\U0010FFFF"};
    for (const auto& entry : entries) {
        entry.type(QString::fromStdString(edges));
        QCOMPARE(entry.kept(), edges);
        // A text box may drop a character it keeps for itself (U+FDD0) before
        // the text is read: what is kept is then still free of it.
        for (const char* text : refused) {
            entry.type(QString::fromUtf8(text));
            QVERIFY2(entry.kept() != text && NoteFault(entry.kept()).empty(), entry.where);
        }
    }
    QCOMPARE(prompts.messages.size(), static_cast<qsizetype>(2 * std::size(refused)));
    for (const QString& message : prompts.messages) {
        QVERIFY2(message.contains(QStringLiteral("noncharacter")) && !message.contains(QLatin1Char('\n')),
                 qPrintable(message));
    }
    QFile picture(InDir(QStringLiteral("edges.svg")));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.write(QByteArray::fromStdString(Dialog().Session().SystemSvg(0)));
    picture.close();
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), picture.fileName()});
    QVERIFY(xmllint.waitForFinished(60000));
    QCOMPARE(xmllint.exitCode(), 0);
    QVERIFY(Dialog().Session().SystemSvg(0).find(edges) != std::string::npos);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::EditTest)
#include "edit_test.moc"
