#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <functional>

#include "app/generator_app.h"
#include "app/dialog/generator_dialog.h"
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
    void everyMnemonicIsUniqueInItsMenu();
    void savesExportsAndCopiesSayWhatTheyDid();
    void theContextMenuOverAnItemOffersItsCommandsFirst();
    void aFileNamedOnTheCommandLineIsOpened();
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
    QCOMPARE(listed, (QStringList{"&File:", "&Open JSON...|Ctrl+O", "Open &Recent|", "Sa&ve Sector|Ctrl+Shift+S",
                                   "Save Sector &As...|", "|", "&Save to File...|Ctrl+S",
                                   "&Export JSON...|Ctrl+E", "Export P&icture...|", "|", "&Print...|Ctrl+P",
                                   "Export P&DF...|", "|", "&Quit|Ctrl+Q", "&Edit:", "&Copy as Text|Ctrl+C",
                                   "Re&name System...|F2", "|", "Reroll &System|Ctrl+R",
                                   "Reroll &Others|Ctrl+Shift+R", "&Lock System|Ctrl+L", "|", "&Undo|Ctrl+Z", "&Redo|Ctrl+Shift+Z",
                                   "&Run:", "&Generate|F5", "Generate with &Seed...|Ctrl+G", "&Copy Seed|", "|",
                                   "Run S&tatistics...|Ctrl+T", "&View:", "&Expand All|", "C&ollapse All|", "|",
                                   "Go to &Results|F6", "Show &Picture|F7", "Show &Legend|",
                                   "Show No&tes|F9", "&Sector Overview|F8", "|", "Pla&yer View|F4", "|", "&Find...|Ctrl+F",
                                   "Find &Next|F3", "Find Pre&vious|Shift+F3", "&Map:", "Show &Map|Ctrl+M",
                                   "&Fit Map|", "|", "&Export Map...|", "&Print Map...|", "Print &Subsectors...|",
                                   "&Players:", "&Known|Ctrl+1",
                                   "&Rumoured|Ctrl+2", "&Secret|Ctrl+3", "|", "&Hidden Fields...|Ctrl+H",
                                   "Player &Notes...|", "|", "&Print Handout...|Ctrl+Shift+P",
                                   "Export Handout P&DF...|", "&Help:", "&Query Language|F1", "&About Nexmar...|"}));
    // The menu bar takes no room from the controls.
    auto* client = Find<QWidget>("clientArea");
    QVERIFY(!Find<QMenuBar>("menuBar")->geometry().intersects(
        QRect(client->mapTo(&Dialog(), QPoint(0, 0)), client->size())));
}

void MenuTest::everyShortcutReachesItsCommand()
{
    Run("2");
    struct Case {
        const char* keys;
        std::function<bool()> reached;
    };
    const Case cases[] = {
        {"F5", [this] { return Dialog().Session().Description().seed != 1234u; }},
        {"Ctrl+O", [this] { return prompts.openDialogs.size() == 1; }},
        {"Ctrl+S", [this] { return prompts.saveDialogs == QStringList{"Text File (*.txt)|txt"}; }},
        {"Ctrl+E", [this] { return prompts.saveDialogs.size() == 2 && prompts.saveDialogs[1].endsWith("|json"); }},
        {"Ctrl+Shift+S", [this] { return prompts.saveTitles.size() == 3 && prompts.saveTitles[2] == "Save Sector"; }},
        {"Ctrl+G", [this] { return prompts.seedInputs.size() == 1; }},
        {"Ctrl+T",
         [this] {
             const QList<QWidget*> windows = Dialog().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
             return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
                 return window->isWindow() &&
                        window->windowTitle().startsWith(QStringLiteral("Statistics: 2 Low systems, seed "));
             });
         }},
        {"F1",
         [this] {
             auto* help = Dialog().findChild<QWidget*>(QStringLiteral("queryHelp"));
             return help != nullptr && help->isVisible();
         }},
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
    const QString seed = QString::number(Dialog().Session().Description().seed);
    QCOMPARE(QApplication::clipboard()->text(), seed);
    Action("generateAction")->trigger();
    QVERIFY(Root().data(Qt::ToolTipRole).toString() != QStringLiteral("Seed ") + seed);
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
    // With no run, a command that needs one says why it is disabled.
    for (const char* name : {"goToResultsAction", "showPictureAction", "exportJsonAction", "saveAction"}) {
        QVERIFY2(!enabled(name), name);
        QVERIFY2(Action(name)->statusTip().contains(QStringLiteral("first")), name);
    }
    for (const char* name : {"openJsonAction", "generateAction", "seedAction", "aboutAction"}) {
        QVERIFY2(enabled(name), name);
    }

    Run("3");
    prompts.nextFileName = InDir("run.json");
    Dialog().ExportJson();
    for (const char* name : onRun) {
        QVERIFY2(enabled(name), name);
    }
    QVERIFY(enabled("saveAction"));

    // A refused run starts nothing: the run shown and its commands stay.
    Run("x");
    QCOMPARE(prompts.messages, QStringList{"Please enter an integer."});
    for (const char* name : onRun) {
        QVERIFY2(enabled(name), name);
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
        QCOMPARE(Dialog().findChild<QWidget*>(QStringLiteral("queryHelp")), nullptr);
    };
    Run("4");
    QVERIFY(Dialog().isVisible());
    QCOMPARE(prompts.worksStarted, 1);
    QCOMPARE(NumberField()->text(), QStringLiteral("4"));
    QCOMPARE(Tree()->model()->rowCount(Root()), 4);
}

// The letter after each '&' opens one entry of its menu: no two entries of a
// menu, nor two menus of the menu bar, share one.
void MenuTest::everyMnemonicIsUniqueInItsMenu()
{
    const auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at < 0 || at + 1 >= text.size() ? QChar() : text.at(at + 1).toLower();
    };
    const auto checkUnique = [&](const QList<QAction*>& entries, const QString& where) {
        QString seen;
        for (const QAction* entry : entries) {
            if (entry->isSeparator()) {
                continue;
            }
            const QChar letter = mnemonic(entry->text());
            QVERIFY2(!letter.isNull(), qPrintable(where + QStringLiteral(": no mnemonic in ") + entry->text()));
            QVERIFY2(!seen.contains(letter), qPrintable(where + QStringLiteral(": ") + entry->text()));
            seen += letter;
        }
    };
    const QList<QAction*> menus = Find<QMenuBar>("menuBar")->actions();
    checkUnique(menus, QStringLiteral("menu bar"));
    for (const QAction* menu : menus) {
        checkUnique(menu->menu()->actions(), menu->text());
    }
}

void MenuTest::savesExportsAndCopiesSayWhatTheyDid()
{
    Run("3");
    const auto told = [this] { return Find<QStatusBar>("statusBar")->currentMessage(); };
    prompts.nextFileName = InDir("run.json");
    Action("exportJsonAction")->trigger();
    QCOMPARE(told(), QStringLiteral("Exported 3 Low systems, seed 1234 as %1").arg(InDir("run.json")));
    prompts.nextFileName = InDir("report.txt");
    Action("saveAction")->trigger();
    QCOMPARE(told(), QStringLiteral("Saved the latest run's report as %1").arg(InDir("report.txt")));
    Action("copySeedAction")->trigger();
    QCOMPARE(told(), QStringLiteral("Copied the seed 1234"));

    // On the root there is no one system to copy: nothing is, and it says why.
    QApplication::clipboard()->setText(QStringLiteral("before"));
    Tree()->setCurrentIndex(Root());
    Action("copyTextAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY2(told().startsWith(QStringLiteral("Nothing copied: select a system")), qPrintable(told()));
    Tree()->setCurrentIndex(Tree()->model()->index(1, 0, Root()));
    Action("copyTextAction")->trigger();
    QVERIFY(QApplication::clipboard()->text() != QStringLiteral("before"));
    QVERIFY2(told().startsWith(QStringLiteral("Copied the rows of System 2 (")), qPrintable(told()));
    QVERIFY(prompts.messages.isEmpty());
}

void MenuTest::theContextMenuOverAnItemOffersItsCommandsFirst()
{
    Run("3");
    Tree()->expand(Root());
    const QModelIndex second = Tree()->model()->index(1, 0, Root());
    const QPoint at = Tree()->visualRect(second).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, Tree()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(Tree()->viewport(), &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(Tree()->currentIndex(), second);
    QStringList first;
    for (const QAction* action : menu->actions().mid(0, 8)) {
        first << action->objectName();
    }
    menu->close();
    QCOMPARE(first,
             (QStringList{"copyTextAction", "renameAction", "rerollAction", "lockAction", "exportPictureAction",
                          "showPictureAction", "showNotesAction", QString()}));
    // Elsewhere the menu lists the commands menu by menu.
    menu = OpenContextMenu();
    const QString top = menu->actions().first()->objectName();
    menu->close();
    QCOMPARE(top, QStringLiteral("openJsonAction"));
}

// `nexmar FILE` shows FILE's run once the dialog runs; options are no file.
void MenuTest::aFileNamedOnTheCommandLineIsOpened()
{
    Run("2");
    prompts.nextFileName = InDir("two.json");
    Dialog().ExportJson();
    Reopen(99);
    OpenFileArgument(Dialog(), QStringList{"nexmar", "--reverse", InDir("two.json")});
    QVERIFY(!Dialog().Session().HasRun());
    QTRY_VERIFY(Dialog().Session().HasRun());
    QCOMPARE(Dialog().Session().Description().seed, 1234u);
    QCOMPARE(Tree()->model()->rowCount(Root()), 2);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::MenuTest)
#include "menu_test.moc"
