#include <QCheckBox>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include "model/print_table.h"
#include "support/dialog_fixture.h"

namespace nexmar {

class PlayerTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4242); }
    void cleanup() { Stop(); }

    void visibilityAndHiddenFieldsAreEditedUndoneAndMarked();
    void theHandoutHoldsNoSecretAndEveryKnownField();

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
    QString PdfText(const char* action, const char* name)
    {
        prompts.nextFileName = InDir(QString::fromLatin1(name));
        Action(action)->trigger();
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {prompts.nextFileName, QStringLiteral("-")});
        if (!text.waitForFinished(60000) || text.exitCode() != 0) {
            qFatal("pdftotext failed");
        }
        return QString::fromUtf8(text.readAllStandardOutput());
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

}  // namespace nexmar

QTEST_MAIN(nexmar::PlayerTest)
#include "player_test.moc"
