#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

#include "support/dialog_fixture.h"

namespace nexmar {

// Plain text in the find field, over the names beside the systems and the
// notes on them, in the referee's view and in Player View.
class FindTextTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4242); }
    void cleanup() { Stop(); }

    void plainTextFindsTheNamesAndNotesEachViewMayShow();

private:
    void Select(int row)
    {
        Tree()->setFocus();
        Tree()->setCurrentIndex(Tree()->model()->index(row, 0, Root()));
    }
    void Keys(const char* keys) { QTest::keySequence(Tree(), QKeySequence(QString::fromLatin1(keys))); }
    // The find field's count once text is looked for.
    QString FindCount(const QString& text)
    {
        Action("findAction")->trigger();
        Find<QLineEdit>("findField")->setText(text);
        QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_Return);
        return Find<QLabel>("findCount")->text();
    }
};

// A renamed system is found by its name, in any letter case, as the tree
// shows it beside the system; a note by its words, on the item of the
// system or the object it is written on. The players find the names they
// are shown and their own notes, never a name hidden from them nor a
// referee's note.
void FindTextTest::plainTextFindsTheNamesAndNotesEachViewMayShow()
{
    Find<QRadioButton>("highRadio")->setChecked(true);
    Run(QStringLiteral("3"));
    Select(1);
    prompts.nameAnswers = {QStringLiteral("Vessa Reach")};
    Keys("F2");
    Select(2);
    prompts.nameAnswers = {QStringLiteral("Quexhollow Éloïse")};
    Keys("F2");
    prompts.hiddenAnswers = {PlayerFields{PlayerField::Name}};
    Keys("Ctrl+H");
    Select(0);
    Keys("F9");
    Find<QPlainTextEdit>("notesEditor")->setPlainText(QStringLiteral("Vantablur lurks"));
    Find<QPlainTextEdit>("playerNotesEditor")->setPlainText(QStringLiteral("Glimmerfen market"));
    const QModelIndex first = Tree()->model()->index(0, 0, Root());
    QModelIndex object;
    for (int row = 0; row < Tree()->model()->rowCount(first) && !object.isValid(); ++row) {
        const QModelIndex child = Tree()->model()->index(row, 0, first);
        object = child.data().toString().startsWith(QStringLiteral("Object ")) ? child : QModelIndex();
    }
    QVERIFY(object.isValid());
    Tree()->setCurrentIndex(object);
    Find<QPlainTextEdit>("notesEditor")->setPlainText(QStringLiteral("Orbweaver nests"));
    const QString objectItem = object.data().toString();

    struct Finding {
        const char* text;
        const char* referee;  // the count the referee's find shows
        const char* players;  // and the players'
    };
    const Finding findings[] = {
        {"Vessa", "1 of 3 systems", "1 of 3 systems"},
        {"vESSA rEACH", "1 of 3 systems", "1 of 3 systems"},
        {"Quexhollow", "1 of 3 systems", "0 of 3 systems"},
        {"ÉLOÏSE", "1 of 3 systems", "0 of 3 systems"},
        {"vantablur", "1 of 3 systems", "0 of 3 systems"},
        {"Glimmerfen", "1 of 3 systems", "1 of 3 systems"},
        {"ORBWEAVER", "1 of 3 systems", "0 of 3 systems"},
    };
    for (const bool players : {false, true}) {
        if (players) {
            Keys("F4");
            QVERIFY(Action("playerViewAction")->isChecked());
        }
        for (const Finding& finding : findings) {
            const QString text = QString::fromUtf8(finding.text);
            QCOMPARE(FindCount(text), QString::fromLatin1(players ? finding.players : finding.referee));
        }
        // The name found is the system's: Find Next lands on its item.
        FindCount(QStringLiteral("vessa"));
        QCOMPARE(Tree()->model()->rowCount(Root()), 1);
        QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_F3);
        QCOMPARE(Tree()->currentIndex().data().toString(), QStringLiteral("System 2"));
        QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_Escape);
    }
    // A note on an object is found on the object's item.
    Keys("F4");
    FindCount(QStringLiteral("orbweaver"));
    QTest::keyClick(Find<QLineEdit>("findField"), Qt::Key_F3);
    QCOMPARE(Tree()->currentIndex().data().toString(), objectItem);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::FindTextTest)
#include "find_text_test.moc"
