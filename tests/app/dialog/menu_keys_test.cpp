#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

#include "support/dialog_fixture.h"

namespace nexmar {

namespace {

// Claims every key for the field it watches, as a line edit on X11 claims
// Ctrl+E ("end of line") and other keys of its Emacs-like bindings, whatever
// platform the test runs on.
class GreedyField final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
        }
        return false;
    }
};

}  // namespace

// The menu's commands as the keyboard and the menu marks reach them: every
// shortcut from every text field, what Reroll Others says before and after,
// and the Players menu's mark of the selected system.
class MenuKeysTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(4242); }
    void cleanup() { Stop(); }

    void everyMenuShortcutWorksFromEveryTextField();
    void rerollOthersSaysWhatItWillDoAndWhatItDid();
    void rerollSystemAsksBeforeTheNotesOnItsObjectsGo();
    void thePlayersMenuMarksTheSelectedSystem();
    void theWindowComesBackAsItWasLeft();
    void aLongerNameWidensItsColumn();

private:
    QModelIndex SystemAt(int place) const { return Tree()->model()->index(place, 0, Root()); }
    SystemEdits EditsOf(int number) const
    {
        const SystemEdits* edits = Dialog().Session().Records().Edits().Find(number);
        return edits != nullptr ? *edits : SystemEdits{};
    }
};

void MenuKeysTest::everyMenuShortcutWorksFromEveryTextField()
{
    Run("3");
    Tree()->setCurrentIndex(SystemAt(1));
    Action("showNotesAction")->trigger();
    Action("findAction")->trigger();
    const QList<QWidget*> fields{NumberField(), Find<QLineEdit>("findField"), Find<QPlainTextEdit>("notesEditor"),
                                 Find<QPlainTextEdit>("playerNotesEditor")};
    // The commands are counted, not done: the way of the keys to them is
    // what is tried, and every field stays on screen for the next key.
    QMap<QString, int> done;
    QList<QAction*> commands;
    for (QAction* action : Dialog().actions()) {
        if (action->shortcuts().isEmpty()) {
            continue;
        }
        QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
        QObject::disconnect(action, &QAction::triggered, &Dialog(), nullptr);
        connect(action, &QAction::triggered, this, [&done, action] { ++done[action->objectName()]; });
        commands << action;
    }
    QVERIFY(commands.size() > 20);
    int tried = 0;
    GreedyField greedy;
    for (QWidget* field : fields) {
        QVERIFY2(field->isVisible() && field->isEnabled(), qPrintable(field->objectName()));
        field->installEventFilter(&greedy);
        for (QAction* command : commands) {
            for (const QKeySequence& keys : command->shortcuts()) {
                // Copy, paste, undo and the like edit the field's own text.
                const QKeyEvent key(QEvent::KeyPress, keys[0].key(), keys[0].keyboardModifiers());
                if (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Undo) ||
                    key.matches(QKeySequence::Redo)) {
                    continue;
                }
                field->setFocus();
                const int before = done.value(command->objectName());
                QTest::keyClick(field, keys[0].key(), keys[0].keyboardModifiers());
                QVERIFY2(done.value(command->objectName()) == before + 1,
                         qPrintable(keys.toString() + QStringLiteral(" from ") + field->objectName()));
                ++tried;
            }
        }
    }
    QVERIFY(tried > 80);
}

void MenuKeysTest::rerollOthersSaysWhatItWillDoAndWhatItDid()
{
    Find<QRadioButton>("mediumRadio")->click();
    Run("3");
    const QModelIndex second = SystemAt(1);
    Action("showNotesAction")->trigger();
    auto* editor = Find<QPlainTextEdit>("notesEditor");
    Tree()->setCurrentIndex(second);
    editor->setPlainText(QStringLiteral("pirates"));
    Tree()->setCurrentIndex(Tree()->model()->index(1, 0, second));
    editor->setPlainText(QStringLiteral("moon base"));
    Tree()->setCurrentIndex(SystemAt(0));
    Action("lockAction")->trigger();
    const std::vector<SystemRecord> before(Dialog().Session().Records().AsLoadedRun().systems);
    const QString undo = Action("undoAction")->text();

    prompts.proceedAnswers = {false};
    Action("rerollOthersAction")->trigger();
    QCOMPARE(prompts.proceedAsked.size(), 1);
    const QString asked = prompts.proceedAsked.first();
    QVERIFY2(asked.contains(QStringLiteral("2 systems, each from a fresh seed; 1 system locked")), qPrintable(asked));
    QVERIFY2(asked.contains(QStringLiteral("1 note on their objects go")), qPrintable(asked));
    // Cancelled: nothing rolled, nothing to undo.
    QVERIFY(Dialog().Session().Records().AsLoadedRun().systems == before);
    QCOMPARE(Action("undoAction")->text(), undo);

    Action("rerollOthersAction")->trigger();
    QVERIFY(Dialog().Session().Records().AsLoadedRun().systems != before);
    const QString told = Find<QStatusBar>("statusBar")->currentMessage();
    QVERIFY2(told.startsWith(QStringLiteral("Rolled again 2 systems; 1 system kept as locked; 1 note")), qPrintable(told));
    // The system's notes stay; the object's go with it.
    QCOMPARE(EditsOf(2).notes, std::string("pirates"));
    QVERIFY(EditsOf(2).objectNotes.empty());
}

void MenuKeysTest::rerollSystemAsksBeforeTheNotesOnItsObjectsGo()
{
    Find<QRadioButton>("mediumRadio")->click();
    Run("3");
    const QModelIndex second = SystemAt(1);
    // Without notes on its objects nothing is lost: no question.
    Tree()->setCurrentIndex(SystemAt(2));
    Action("rerollAction")->trigger();
    QVERIFY(prompts.proceedAsked.isEmpty());
    QVERIFY(EditsOf(3).seed.has_value());

    Action("showNotesAction")->trigger();
    auto* editor = Find<QPlainTextEdit>("notesEditor");
    Tree()->setCurrentIndex(second);
    editor->setPlainText(QStringLiteral("pirates"));
    Tree()->setCurrentIndex(Tree()->model()->index(1, 0, second));
    editor->setPlainText(QStringLiteral("moon base"));
    Tree()->setCurrentIndex(second);
    const std::vector<SystemRecord> before(Dialog().Session().Records().AsLoadedRun().systems);

    prompts.proceedAnswers = {false};
    Action("rerollAction")->trigger();
    QCOMPARE(prompts.proceedAsked.size(), 1);
    const QString asked = prompts.proceedAsked.first();
    QVERIFY2(asked.contains(QStringLiteral("System 2 again from a fresh seed; 1 note on its objects go")),
             qPrintable(asked));
    QVERIFY(Dialog().Session().Records().AsLoadedRun().systems == before);
    QCOMPARE(EditsOf(2).objectNotes.size(), std::size_t{1});

    Action("rerollAction")->trigger();
    QVERIFY(Dialog().Session().Records().AsLoadedRun().systems != before);
    const QString told = Find<QStatusBar>("statusBar")->currentMessage();
    QVERIFY2(told.startsWith(QStringLiteral("Rolled again System 2; 1 note on its objects gone")), qPrintable(told));
    QCOMPARE(EditsOf(2).notes, std::string("pirates"));
    QVERIFY(EditsOf(2).objectNotes.empty());
}

void MenuKeysTest::thePlayersMenuMarksTheSelectedSystem()
{
    Run("3");
    const auto marked = [this] {
        QStringList checked;
        for (const char* name : {"knownAction", "rumouredAction", "secretAction"}) {
            if (Action(name)->isChecked()) {
                checked << QString::fromLatin1(name);
            }
        }
        return checked;
    };
    QCOMPARE(marked(), QStringList());
    Tree()->setCurrentIndex(SystemAt(0));
    QCOMPARE(marked(), QStringList{"knownAction"});
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+3")));
    QCOMPARE(marked(), QStringList{"secretAction"});
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+3")));
    QCOMPARE(marked(), QStringList{"secretAction"});
    Tree()->setCurrentIndex(SystemAt(1));
    QCOMPARE(marked(), QStringList{"knownAction"});
    QTest::keySequence(Tree(), QKeySequence(QStringLiteral("Ctrl+2")));
    QCOMPARE(marked(), QStringList{"rumouredAction"});
    Tree()->setCurrentIndex(SystemAt(0));
    QCOMPARE(marked(), QStringList{"secretAction"});
    // Undone, the mark follows the system back.
    Action("undoAction")->trigger();
    Tree()->setCurrentIndex(SystemAt(1));
    QCOMPARE(marked(), QStringList{"knownAction"});
}

void MenuKeysTest::theWindowComesBackAsItWasLeft()
{
    const QSize designed = Dialog().size();
    Run("3");
    Action("showPictureAction")->trigger();
    Dialog().resize(Dialog().size() + QSize(40, 30));
    const QSize left = Dialog().size();
    QVERIFY(left != designed);
    Action("quitAction")->trigger();

    Reopen(1);
    QCOMPARE(Dialog().size(), left);
    // The picture waits for a run to show, then takes the room it had.
    QVERIFY(!Action("showPictureAction")->isChecked());
    Run("3");
    QVERIFY(Action("showPictureAction")->isChecked());
    QCOMPARE(Dialog().size(), left);

    // A place off every screen gives way to one on the screen.
    Dialog().move(20000, 20000);
    Action("quitAction")->trigger();
    Reopen(1);
    const QRect room = Dialog().screen()->availableGeometry();
    QVERIFY2(room.contains(Dialog().frameGeometry().topLeft()), qPrintable(QStringLiteral("%1,%2").arg(Dialog().x()).arg(Dialog().y())));
}

void MenuKeysTest::aLongerNameWidensItsColumn()
{
    Run("3");
    Tree()->setCurrentIndex(SystemAt(1));
    const QString name = QStringLiteral("Haven Prime of the Long Name Beyond Any Generated One");
    prompts.nameAnswers = {name};
    Action("renameAction")->trigger();
    QCOMPARE(SystemAt(1).siblingAtColumn(1).data().toString(), name);
    QVERIFY(Tree()->header()->sectionSize(1) >= Tree()->fontMetrics().horizontalAdvance(name));
}

}  // namespace nexmar

QTEST_MAIN(nexmar::MenuKeysTest)
#include "menu_keys_test.moc"
