#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTreeView>

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

    // The tree's texts, the reports and Copy as Text keep every byte.
    QStringList textsAfter;
    TreeTexts(model, {}, textsAfter);
    QCOMPARE(textsAfter, texts);
    QCOMPARE(FileBytes(Dir()), files);
    Action("copyTextAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), copied);

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

}  // namespace nexmar

QTEST_MAIN(nexmar::EditTest)
#include "edit_test.moc"
