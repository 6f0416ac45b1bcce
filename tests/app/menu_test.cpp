#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <functional>

#include "app/generator_dialog.h"
#include "support/dialog_fixture.h"

namespace nexmar {

// The dialog's commands: the menu bar that lists them, their shortcuts, when
// they are enabled, and the input held back while a run is made.
class MenuTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init() { Start(1234); }
    void cleanup() { Stop(); }

    void theMenuBarListsEveryCommandWithItsShortcut();
    void everyShortcutReachesItsCommand();
    void actionsFollowTheRunOnScreen();
    void keysPressedDuringWorkReachNoWindow();
};

void MenuTest::theMenuBarListsEveryCommandWithItsShortcut()
{
    QStringList listed;
    for (const QAction* menu : Find<QMenuBar>("menuBar")->actions()) {
        listed << menu->text() + QLatin1Char(':');
        for (const QAction* action : menu->menu()->actions()) {
            listed << action->text() + QLatin1Char('|') + action->shortcut().toString() +
                          (action->isSeparator() || !action->statusTip().isEmpty() ? "" : " (no status tip)");
        }
    }
    QCOMPARE(listed, (QStringList{"&File:", "&Open JSON...|Ctrl+O", "&Save to File...|Ctrl+S",
                                   "&Export JSON...|Ctrl+E", "Export P&icture...|", "|", "&Print...|Ctrl+P",
                                   "Export P&DF...|", "|", "&Quit|Ctrl+Q", "&Edit:", "&Copy as Text|Ctrl+C",
                                   "&Run:", "&Generate|", "Generate with &Seed...|Ctrl+G", "&Copy Seed|", "|",
                                   "Run S&tatistics...|Ctrl+T", "&View:", "&Expand All|", "C&ollapse All|", "|",
                                   "Go to &Results|F6", "Show &Picture|F7", "|", "&Find...|Ctrl+F",
                                   "Find &Next|F3", "Find Pre&vious|Shift+F3", "&Help:", "&About Nexmar...|F1"}));
    // The menu bar takes no room from the controls.
    QVERIFY(!Find<QMenuBar>("menuBar")->geometry().intersects(Find<QWidget>("clientArea")->geometry()));
}

void MenuTest::everyShortcutReachesItsCommand()
{
    Run("2");
    struct Case {
        const char* keys;
        std::function<bool()> reached;
    };
    const Case cases[] = {
        {"Ctrl+O", [this] { return prompts.openDialogs.size() == 1; }},
        {"Ctrl+S", [this] { return prompts.saveDialogs == QStringList{"Text File (*.txt)|txt"}; }},
        {"Ctrl+E", [this] { return prompts.saveDialogs.size() == 2 && prompts.saveDialogs[1].endsWith("|json"); }},
        {"Ctrl+G", [this] { return prompts.seedInputs.size() == 1; }},
        {"Ctrl+T",
         [this] {
             const QList<QWidget*> windows = Dialog().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
             return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
                 return window->isWindow() &&
                        window->windowTitle() == QStringLiteral("Statistics: 2 Low systems, seed 1234");
             });
         }},
        {"F1", [this] { return prompts.aboutShown == 1; }},
        {"Ctrl+P", [this] { return prompts.printPreviews == 1; }},
        {"Ctrl+F", [this] { return QApplication::focusWidget() == Find<QLineEdit>("findField"); }},
        {"F6", [this] { return QApplication::focusWidget() == Tree() && Tree()->currentIndex() == Root(); }},
        {"F7", [this] { return Find<QWidget>("pictureView")->isVisible(); }},
        {"Ctrl+Q", [this] { return !Dialog().isVisible(); }},
    };
    for (const Case& c : cases) {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(c.keys)));
        QVERIFY2(c.reached(), c.keys);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != &Dialog() && window->isVisible()) {
                window->close();
            }
        }
        QVERIFY(!Dialog().isVisible() || QTest::qWaitForWindowActive(&Dialog()));
    }
    // The tab order stays as it was: the tree is reached by F6 alone.
    QVERIFY(!(Tree()->focusPolicy() & Qt::TabFocus));

    // The commands without a shortcut, from the menu bar's actions.
    Dialog().show();
    QVERIFY(QTest::qWaitForWindowActive(&Dialog()));
    Action("expandAllAction")->trigger();
    QVERIFY(Tree()->isExpanded(Root()));
    QVERIFY(Button("collapseButton")->isVisible());
    Action("collapseAllAction")->trigger();
    QVERIFY(!Tree()->isExpanded(Root()));
    QApplication::clipboard()->clear();
    Action("copySeedAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1234"));
    Action("generateAction")->trigger();
    QVERIFY(Root().data(Qt::ToolTipRole).toString() != QStringLiteral("Seed 1234"));
    QVERIFY(prompts.messages.isEmpty());
}

// What each command needs is there, or the command is disabled: at the
// start, after a run, after a refused run and after an open.
void MenuTest::actionsFollowTheRunOnScreen()
{
    const char* const onRun[] = {"exportJsonAction", "copySeedAction", "statisticsAction", "expandAllAction",
                                 "collapseAllAction"};
    const auto enabled = [this](const char* name) { return Action(name)->isEnabled(); };
    for (const char* name : onRun) {
        QVERIFY2(!enabled(name), name);
    }
    QVERIFY(!enabled("saveAction"));
    for (const char* name : {"openJsonAction", "generateAction", "seedAction", "aboutAction", "goToResultsAction"}) {
        QVERIFY2(enabled(name), name);
    }

    Run("3");
    prompts.nextFileName = InDir("run.json");
    Dialog().ExportJson();
    for (const char* name : onRun) {
        QVERIFY2(enabled(name), name);
    }
    QVERIFY(enabled("saveAction"));

    // A refused run shows none: nothing acts on the run that left the screen,
    // but its reports are still there to save.
    Run("x");
    QCOMPARE(prompts.messages, QStringList{"Please enter an integer."});
    for (const char* name : onRun) {
        QVERIFY2(!enabled(name), name);
    }
    QVERIFY(enabled("saveAction"));
    QVERIFY(Button("saveButton")->isEnabled());

    prompts.nextOpenName = InDir("run.json");
    Dialog().OpenJson();
    QCOMPARE(prompts.messages.size(), 1);
    for (const char* name : onRun) {
        QVERIFY2(enabled(name), name);
    }
    QCOMPARE(NumberField()->text(), QStringLiteral("3"));
}

// An Escape pressed while a run is made would close the dialog once the
// run is shown; it reaches no window but the progress window.
void MenuTest::keysPressedDuringWorkReachNoWindow()
{
    prompts.duringWork = [this](QProgressDialog& progress) {
        QTest::keyClick(&Dialog(), Qt::Key_Escape);
        QTest::keyClick(NumberField(), Qt::Key_9);
        QTest::keyClick(NumberField(), Qt::Key_F1);
        QCOMPARE(progress.wasCanceled(), false);
    };
    Run("4");
    QVERIFY(Dialog().isVisible());
    QCOMPARE(prompts.worksStarted, 1);
    QCOMPARE(NumberField()->text(), QStringLiteral("4"));
    QCOMPARE(prompts.aboutShown, 0);
    QCOMPARE(Tree()->model()->rowCount(Root()), 4);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::MenuTest)
#include "menu_test.moc"
