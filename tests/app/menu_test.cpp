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
class MenuTest : public QObject {
    Q_OBJECT

private slots:
    void init() { fixture_.Start(1234); }
    void cleanup() { fixture_.Stop(); }

    void theMenuBarListsEveryCommandWithItsShortcut();
    void everyShortcutReachesItsCommand();
    void actionsFollowTheRunOnScreen();
    void keysPressedDuringWorkReachNoWindow();

private:
    template <class W>
    W* Find(const char* name) const
    {
        return fixture_.Find<W>(name);
    }
    QLineEdit* NumberField() const { return Find<QLineEdit>("numberField"); }
    QTreeView* Tree() const { return Find<QTreeView>("resultTree"); }
    QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
    QModelIndex Root() const { return Tree()->model()->index(0, 0); }
    QString InDir(const QString& name) const { return fixture_.InDir(name); }
    void Run(const char* count) const { fixture_.Run(QString::fromLatin1(count)); }

    testing::DialogFixture fixture_;
    testing::FakePrompts& prompts_ = fixture_.prompts;
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
        {"Ctrl+O", [this] { return prompts_.openDialogs.size() == 1; }},
        {"Ctrl+S", [this] { return prompts_.saveDialogs == QStringList{"Text File (*.txt)|txt"}; }},
        {"Ctrl+E", [this] { return prompts_.saveDialogs.size() == 2 && prompts_.saveDialogs[1].endsWith("|json"); }},
        {"Ctrl+G", [this] { return prompts_.seedInputs.size() == 1; }},
        {"Ctrl+T",
         [this] {
             const QList<QWidget*> windows = fixture_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
             return std::any_of(windows.begin(), windows.end(), [](const QWidget* window) {
                 return window->isWindow() &&
                        window->windowTitle() == QStringLiteral("Statistics: 2 Low systems, seed 1234");
             });
         }},
        {"F1", [this] { return prompts_.aboutShown == 1; }},
        {"Ctrl+P", [this] { return prompts_.printPreviews == 1; }},
        {"Ctrl+F", [this] { return QApplication::focusWidget() == Find<QLineEdit>("findField"); }},
        {"F6", [this] { return QApplication::focusWidget() == Tree() && Tree()->currentIndex() == Root(); }},
        {"F7", [this] { return Find<QWidget>("pictureView")->isVisible(); }},
        {"Ctrl+Q", [this] { return !fixture_->isVisible(); }},
    };
    for (const Case& c : cases) {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(QString::fromLatin1(c.keys)));
        QVERIFY2(c.reached(), c.keys);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != &fixture_.Dialog() && window->isVisible()) {
                window->close();
            }
        }
        QVERIFY(!fixture_->isVisible() || QTest::qWaitForWindowActive(&fixture_.Dialog()));
    }
    // The tab order stays as it was: the tree is reached by F6 alone.
    QVERIFY(!(Tree()->focusPolicy() & Qt::TabFocus));

    // The commands without a shortcut, from the menu bar's actions.
    fixture_->show();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_.Dialog()));
    fixture_.Action("expandAllAction")->trigger();
    QVERIFY(Tree()->isExpanded(Root()));
    QVERIFY(Button("collapseButton")->isVisible());
    fixture_.Action("collapseAllAction")->trigger();
    QVERIFY(!Tree()->isExpanded(Root()));
    QApplication::clipboard()->clear();
    fixture_.Action("copySeedAction")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1234"));
    fixture_.Action("generateAction")->trigger();
    QVERIFY(Root().data(Qt::ToolTipRole).toString() != QStringLiteral("Seed 1234"));
    QVERIFY(prompts_.messages.isEmpty());
}

// What each command needs is there, or the command is disabled: at the
// start, after a run, after a refused run and after an open.
void MenuTest::actionsFollowTheRunOnScreen()
{
    const char* const onRun[] = {"exportJsonAction", "copySeedAction", "statisticsAction", "expandAllAction",
                                 "collapseAllAction"};
    const auto enabled = [this](const char* name) { return fixture_.Action(name)->isEnabled(); };
    for (const char* name : onRun) {
        QVERIFY2(!enabled(name), name);
    }
    QVERIFY(!enabled("saveAction"));
    for (const char* name : {"openJsonAction", "generateAction", "seedAction", "aboutAction", "goToResultsAction"}) {
        QVERIFY2(enabled(name), name);
    }

    Run("3");
    prompts_.nextFileName = InDir("run.json");
    fixture_->ExportJson();
    for (const char* name : onRun) {
        QVERIFY2(enabled(name), name);
    }
    QVERIFY(enabled("saveAction"));

    // A refused run shows none: nothing acts on the run that left the screen,
    // but its reports are still there to save.
    Run("x");
    QCOMPARE(prompts_.messages, QStringList{"Please enter an integer."});
    for (const char* name : onRun) {
        QVERIFY2(!enabled(name), name);
    }
    QVERIFY(enabled("saveAction"));
    QVERIFY(Button("saveButton")->isEnabled());

    prompts_.nextOpenName = InDir("run.json");
    fixture_->OpenJson();
    QCOMPARE(prompts_.messages.size(), 1);
    for (const char* name : onRun) {
        QVERIFY2(enabled(name), name);
    }
    QCOMPARE(NumberField()->text(), QStringLiteral("3"));
}

// An Escape pressed while a run is made would close the dialog once the
// run is shown; it reaches no window but the progress window.
void MenuTest::keysPressedDuringWorkReachNoWindow()
{
    prompts_.duringWork = [this](QProgressDialog& progress) {
        QTest::keyClick(&fixture_.Dialog(), Qt::Key_Escape);
        QTest::keyClick(NumberField(), Qt::Key_9);
        QTest::keyClick(NumberField(), Qt::Key_F1);
        QCOMPARE(progress.wasCanceled(), false);
    };
    Run("4");
    QVERIFY(fixture_->isVisible());
    QCOMPARE(prompts_.worksStarted, 1);
    QCOMPARE(NumberField()->text(), QStringLiteral("4"));
    QCOMPARE(prompts_.aboutShown, 0);
    QCOMPARE(Tree()->model()->rowCount(Root()), 4);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::MenuTest)
#include "menu_test.moc"
