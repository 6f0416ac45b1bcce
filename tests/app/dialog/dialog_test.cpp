#include <signal.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QTreeView>
#include <QtTest/QAbstractItemModelTester>

#include <memory>

#include "app/kit/about_dialog.h"
#include "app/dialog/generator_dialog.h"
#include "app/kit/user_prompts.h"
#include "support/dialog_fixture.h"

namespace nexmar {
namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class DialogTest : public QObject, private testing::DialogFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsEmptyWithLowAndDelimitedText();
    void tabOrderFollowsTheLayout();
    void invalidCountsAreRefusedWithTheirMessage_data();
    void invalidCountsAreRefusedWithTheirMessage();
    void aCountTypedAtOnceReplacesTheStartingOne();
    void aPlusSignGivesTheSameCount();
    void aRunFillsTheTreeCollapsedAndEnablesTheButtons();
    void enterInTheNumberFieldGenerates();
    void theTreeModelNeverOutlivesWhatItShows();
    void expandAllThenCollapseAllSwapTheButtons();
    void collapseAllLeavesHiddenBranchesAsTheyWere();
    void expandAllAndCollapseAllKeepTheCurrentAndTheTopItem();
    void afterARefusedRunExpandAndCollapseActOnTheRunShown();
    void aboutOpensFromTheHelpMenuAndTheContextMenu();
    void theQueryLanguageOpensInTheProgram();
    void aboutBoxShowsTheVersionAndClosesOnOk();

    void saveCopiesTheReportOfTheChosenFormat();
    void cancellingTheSaveWritesAndShowsNothing();
    void anUncreatableDestinationIsReported();
    void aMissingReportLeavesTheDestinationAlone();
    void aRunWhoseReportsFailedIsNotSaved();
    void aFailedCopyLeavesTheDestinationWhole();
    void saveWritesTheLatestRunWhateverTheNumberFieldSays();
    void theSaveDialogAddsTheSuffixAndAsksBeforeOverwriting();
    void escapeClosesTheDialog();
    void everyCaptionFitsItsBox();
    void theTreeTakesTheRoomOfALargerWindow();

private:
    void Run(const char* count, bool census = true);
    QModelIndex System(int row) const { return Tree()->model()->index(row, 0, Root()); }
};

void DialogTest::init()
{
    Start(1234);
}

void DialogTest::cleanup()
{
    Stop();
}

void DialogTest::Run(const char* count, bool census)
{
    NumberField()->setText(QString::fromLatin1(count));
    Find<QCheckBox>("censusBox")->setChecked(census);
    QTest::mouseClick(Button("generateButton"), Qt::LeftButton);
}

void DialogTest::startsEmptyWithLowAndDelimitedText()
{
    QCOMPARE(Dialog().windowTitle(), QStringLiteral("Tolvik Nexmar"));
    QVERIFY(!Dialog().windowIcon().isNull());
    QCOMPARE(Dialog().minimumSize(), Dialog().size());
    QVERIFY(Dialog().windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(Dialog().windowFlags() & Qt::WindowMinimizeButtonHint);

    QCOMPARE(NumberField()->text(), QStringLiteral("0"));
    QVERIFY(Find<QRadioButton>("lowRadio")->isChecked());
    QVERIFY(!Find<QRadioButton>("mediumRadio")->isChecked());
    QVERIFY(!Find<QRadioButton>("highRadio")->isChecked());
    QVERIFY(Find<QRadioButton>("textRadio")->isChecked());
    QVERIFY(!Find<QRadioButton>("htmlRadio")->isChecked());
    QVERIFY(!Find<QCheckBox>("censusBox")->isChecked());
    QVERIFY(!Button("saveButton")->isEnabled());
    QVERIFY(Button("expandButton")->isVisible());
    QVERIFY(!Button("expandButton")->isEnabled());
    QVERIFY(!Button("collapseButton")->isVisible());
    QVERIFY(Button("generateButton")->isDefault());
    QCOMPARE(Tree()->model()->rowCount(), 0);
    QVERIFY(Tree()->isHeaderHidden());
    QVERIFY(Tree()->rootIsDecorated());
    QVERIFY(!Tree()->dragEnabled());
    QVERIFY(!(Tree()->focusPolicy() & Qt::TabFocus));
    QCOMPARE(QApplication::focusWidget(), NumberField());
    // The expand buttons share one place.
    QCOMPARE(Button("expandButton")->geometry(), Button("collapseButton")->geometry());
}

void DialogTest::tabOrderFollowsTheLayout()
{
    QStringList chain;
    QWidget* widget = NumberField();
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != NumberField());
    const QStringList expected{"numberField", "lowRadio",   "mediumRadio", "highRadio",    "censusBox",
                               "generateButton", "textRadio", "htmlRadio", "saveButton", "expandButton",
                               "collapseButton", "findField", "notesEditor", "playerNotesEditor", "overviewTable"};
    QCOMPARE(chain, expected);
}

void DialogTest::invalidCountsAreRefusedWithTheirMessage_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero") << "0" << "Please enter an integer between 1 and 200.";
    QTest::newRow("201") << "201" << "Please enter an integer between 1 and 200.";
    QTest::newRow("letters") << "ten" << "Please enter an integer.";
    QTest::newRow("empty") << "" << "Please enter an integer.";
    QTest::newRow("fraction") << "2.5" << "Please enter an integer.";
    QTest::newRow("minus") << "-5" << "Please enter an integer between 1 and 200.";
    QTest::newRow("plus and blank") << "+ 5" << "Please enter an integer.";
}

void DialogTest::invalidCountsAreRefusedWithTheirMessage()
{
    QFETCH(QString, count);
    QFETCH(QString, message);
    Run("2");
    const QByteArray earlierReport = Bytes(InDir("TNXT001"));

    NumberField()->setText(count);
    Button("generateButton")->setFocus();
    QTest::mouseClick(Button("generateButton"), Qt::LeftButton);

    QCOMPARE(prompts.messages, QStringList{message});
    // Nothing started, so nothing shown is lost: the tree, the reports and Save keep the earlier run.
    QCOMPARE(Tree()->model()->rowCount(Root()), 2);
    QCOMPARE(Bytes(InDir("TNXT001")), earlierReport);
    QVERIFY(Button("saveButton")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), NumberField());
    QCOMPARE(NumberField()->selectedText(), count);
}

void DialogTest::aCountTypedAtOnceReplacesTheStartingOne()
{
    QTest::keyClicks(NumberField(), "4");
    QCOMPARE(NumberField()->text(), QStringLiteral("4"));
    QTest::keyClick(NumberField(), Qt::Key_Return);
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(Tree()->model()->rowCount(Root()), 4);
}

void DialogTest::aPlusSignGivesTheSameCount()
{
    Run("+5");
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(Tree()->model()->rowCount(Root()), 5);
}

void DialogTest::aRunFillsTheTreeCollapsedAndEnablesTheButtons()
{
    QAbstractItemModelTester tester(Tree()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Run("3");

    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(Tree()->model()->rowCount(), 1);
    QCOMPARE(Root().data().toString(), QStringLiteral("System Results"));
    QVERIFY(!Tree()->isExpanded(Root()));
    QCOMPARE(Tree()->model()->rowCount(Root()), 3);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(System(row).data().toString(), QStringLiteral("System %1").arg(row + 1));
        QVERIFY(!System(row).data(Qt::DecorationRole).value<QIcon>().isNull());
    }
    // Low detail with census: seven stat lines per system.
    QCOMPARE(Tree()->model()->rowCount(System(0)), 7);
    QVERIFY(QFile::exists(InDir("TNXT001")));
    QVERIFY(QFile::exists(InDir("TNXH001")));
    QVERIFY(Button("saveButton")->isEnabled());
    QVERIFY(Button("expandButton")->isVisible());
    QVERIFY(Button("expandButton")->isEnabled());
    QVERIFY(!Button("collapseButton")->isVisible());

    // A second run after Expand All shows its tree collapsed again.
    QTest::mouseClick(Button("expandButton"), Qt::LeftButton);
    Run("2", false);
    QCOMPARE(Tree()->model()->rowCount(Root()), 2);
    QCOMPARE(Tree()->model()->rowCount(System(0)), 4);
    QVERIFY(!Tree()->isExpanded(Root()));
    QVERIFY(Button("expandButton")->isVisible());
    QVERIFY(!Button("collapseButton")->isVisible());
}

void DialogTest::enterInTheNumberFieldGenerates()
{
    NumberField()->setFocus();
    NumberField()->setText(QStringLiteral("4"));
    QTest::keyClick(NumberField(), Qt::Key_Return);
    QCOMPARE(Tree()->model()->rowCount(Root()), 4);
}

// Under the sanitizers, any read through a model whose tree has gone is an
// error: after a second run, after a refused run, and after the dialog that
// made the model has closed and gone while the model is kept.
void DialogTest::theTreeModelNeverOutlivesWhatItShows()
{
    QAbstractItemModel* model = Tree()->model();
    {
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        Run("3");
        const QPersistentModelIndex third = System(2);
        Run("2");
        QVERIFY(!third.isValid());
        QCOMPARE(model->rowCount(Root()), 2);
        QCOMPARE(model->index(1, 0, Root()).data().toString(), QStringLiteral("System 2"));
        Run("0");
        QCOMPARE(model->rowCount(Root()), 2);
        Run("4");
    }
    model->setParent(nullptr);
    const std::unique_ptr<QAbstractItemModel> kept(model);
    Dialog().close();
    CloseDialog();
    const QModelIndex root = kept->index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("System Results"));
    QCOMPARE(kept->rowCount(root), 4);
    QCOMPARE(kept->index(3, 0, root).data().toString(), QStringLiteral("System 4"));
}

void DialogTest::expandAllThenCollapseAllSwapTheButtons()
{
    Run("3");
    Button("expandButton")->setFocus();
    QTest::keyClick(Button("expandButton"), Qt::Key_Space);
    QVERIFY(Tree()->isExpanded(Root()));
    for (int row = 0; row < 3; ++row) {
        QVERIFY(Tree()->isExpanded(System(row)));
    }
    QVERIFY(!Button("expandButton")->isVisible());
    QVERIFY(Button("expandButton")->isEnabled());
    QVERIFY(Button("collapseButton")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Button("collapseButton"));

    QTest::keyClick(Button("collapseButton"), Qt::Key_Space);
    QVERIFY(!Tree()->isExpanded(Root()));
    for (int row = 0; row < 3; ++row) {
        QVERIFY(!Tree()->isExpanded(System(row)));
    }
    QVERIFY(Button("expandButton")->isVisible());
    QVERIFY(!Button("collapseButton")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Button("expandButton"));
}

void DialogTest::collapseAllLeavesHiddenBranchesAsTheyWere()
{
    Run("4");
    QTest::mouseClick(Button("expandButton"), Qt::LeftButton);
    // By hand: System 2 closed, then the root, which hides the open systems.
    Tree()->collapse(System(1));
    Tree()->collapse(Root());
    QVERIFY(Tree()->isExpanded(System(0)));

    QTest::mouseClick(Button("collapseButton"), Qt::LeftButton);
    QVERIFY(!Tree()->isExpanded(Root()));
    QVERIFY(Tree()->isExpanded(System(0)));
    QVERIFY(!Tree()->isExpanded(System(1)));
    QVERIFY(Tree()->isExpanded(System(2)));
    QVERIFY(Tree()->isExpanded(System(3)));

    // With the root open, the systems are visible and collapse too.
    Tree()->expand(Root());
    QTest::mouseClick(Button("expandButton"), Qt::LeftButton);
    Tree()->collapse(System(3));
    QTest::mouseClick(Button("collapseButton"), Qt::LeftButton);
    for (int row = 0; row < 4; ++row) {
        QVERIFY(!Tree()->isExpanded(System(row)));
    }
}

void DialogTest::expandAllAndCollapseAllKeepTheCurrentAndTheTopItem()
{
    Run("100");
    const auto topItem = [this] { return Tree()->indexAt(QPoint(0, 0)); };
    Tree()->expand(Root());
    Tree()->scrollTo(System(59), QAbstractItemView::PositionAtTop);
    const QPersistentModelIndex current = Tree()->model()->index(0, 0, System(80));
    Tree()->setCurrentIndex(current);
    QCOMPARE(topItem(), System(59));

    QTest::mouseClick(Button("expandButton"), Qt::LeftButton);
    QCOMPARE(Tree()->currentIndex(), QModelIndex(current));
    QCOMPARE(topItem(), System(59));

    // Every system closes with the root, which then stands at the top.
    QTest::mouseClick(Button("collapseButton"), Qt::LeftButton);
    QVERIFY(!Tree()->isExpanded(System(80)));
    QCOMPARE(Tree()->currentIndex(), QModelIndex(current));
    QCOMPARE(topItem(), Root());
}

// A refused run leaves the run shown, and the buttons go on acting on it.
void DialogTest::afterARefusedRunExpandAndCollapseActOnTheRunShown()
{
    Run("2");
    Run("0");
    prompts.messages.clear();
    QTest::mouseClick(Button("expandButton"), Qt::LeftButton);
    QVERIFY(Button("collapseButton")->isVisible());
    QVERIFY(!Button("expandButton")->isVisible());
    QVERIFY(Tree()->isExpanded(System(1)));
    QTest::mouseClick(Button("collapseButton"), Qt::LeftButton);
    QVERIFY(Button("expandButton")->isVisible());
    QVERIFY(!Tree()->isExpanded(System(1)));
    QCOMPARE(Tree()->model()->rowCount(Root()), 2);
    QVERIFY(prompts.messages.isEmpty());
}

void DialogTest::aboutOpensFromTheHelpMenuAndTheContextMenu()
{
    Action("aboutAction")->trigger();
    QCOMPARE(prompts.aboutShown, 1);

    // A right click on a label reaches the dialog's background menu: the
    // menu bar's actions, menu by menu.
    QMenu* menu = OpenContextMenu();
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << action->text();
    }
    QCOMPARE(texts, (QStringList{"&Open JSON...", "Sa&ve Sector", "&Save to File...", "&Export JSON...",
                                  "Export P&icture...", "&Print...", "Export P&DF...", "", "&Copy as Text",
                                  "Re&name System...", "Reroll &System", "Reroll &Others", "&Lock System", "", "&Generate",
                                  "Generate with &Seed...", "&Copy Seed", "Run S&tatistics...", "", "&Expand All",
                                  "C&ollapse All", "Go to &Results", "Show &Picture", "Show No&tes", "&Sector Overview", "Pla&yer View", "&Find...", "",
                                  "&Known", "&Rumoured", "&Secret", "&Hidden Fields...", "Player &Notes...",
                                  "&Print Handout...", "Export Handout P&DF...", "", "&About Nexmar..."}));
    // Before any run there is no seed to copy and no run to export.
    for (const char* name : {"copySeedAction", "exportJsonAction", "statisticsAction", "printAction",
                             "exportPdfAction", "copyTextAction", "findAction"}) {
        QVERIFY2(!Action(name)->isEnabled(), name);
    }
    menu->actions().constLast()->trigger();
    menu->close();
    QCOMPARE(prompts.aboutShown, 2);
    QVERIFY(prompts.messages.isEmpty());

    // Generate with Seed... runs with the options on the dialog.
    NumberField()->setText(QStringLiteral("3"));
    prompts.seedAnswers = QStringList{QStringLiteral("5")};
    menu = OpenContextMenu();
    QCOMPARE(menu->actions()[15], Action("seedAction"));
    menu->actions()[15]->trigger();
    menu->close();
    QCOMPARE(Tree()->model()->rowCount(Root()), 3);
    QCOMPARE(Root().data(Qt::ToolTipRole).toString(), QStringLiteral("Seed 5"));
    QVERIFY(Action("copySeedAction")->isEnabled());
    QVERIFY(Action("exportJsonAction")->isEnabled());
}

// F1 shows docs/query.md, built into the program, in a window of its own;
// pressed again it shows the same window.
void DialogTest::theQueryLanguageOpensInTheProgram()
{
    QTest::keyClick(NumberField(), Qt::Key_F1);
    auto* help = Dialog().findChild<QWidget*>(QStringLiteral("queryHelp"));
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    const QString page = testing::FindWidget<QTextBrowser>(*help, "queryPage")->toPlainText();
    QVERIFY2(page.startsWith(QStringLiteral("Finding systems: the query language")), qPrintable(page.left(80)));
    QVERIFY(page.contains(QStringLiteral("star.size = Supergiant")));
    QTest::keyClick(NumberField(), Qt::Key_F1);
    QCOMPARE(Dialog().findChildren<QWidget*>(QStringLiteral("queryHelp")).size(), 1);
    QVERIFY(QTest::qWaitForWindowActive(help));
    const QPointer<QWidget> shown = help;
    auto* browser = testing::FindWidget<QTextBrowser>(*help, "queryPage");
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Escape);
    QTRY_VERIFY(shown.isNull());
}

void DialogTest::aboutBoxShowsTheVersionAndClosesOnOk()
{
    AboutDialog about(&Dialog());
    about.show();  // not modal: nothing waits for it
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tovlik Nexmar"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("aboutVersion"))->text(), QStringLiteral("Nexmar Version 1.0"));
    QVERIFY(!about.findChild<QLabel*>(QStringLiteral("aboutIcon"))->pixmap().isNull());
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("aboutOk"));
    QVERIFY(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
}

void DialogTest::saveCopiesTheReportOfTheChosenFormat()
{
    Run("5");
    WriteBytes(InDir("saved.txt"), "an older file\n");
    prompts.nextFileName = InDir("saved.txt");
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QCOMPARE(Bytes(InDir("saved.txt")), Bytes(InDir("TNXT001")));

    Find<QRadioButton>("htmlRadio")->setChecked(true);
    prompts.nextFileName = InDir("saved.htm");
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QCOMPARE(Bytes(InDir("saved.htm")), Bytes(InDir("TNXH001")));

    QCOMPARE(prompts.saveDialogs, (QStringList{"Text File (*.txt)|txt", "HTML File (*.htm)|htm"}));
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(Bytes(InDir("TNXH001")).startsWith("<html><body>\n"));
}

void DialogTest::cancellingTheSaveWritesAndShowsNothing()
{
    Run("2");
    const QStringList before = QDir(Dir()).entryList(QDir::Files);
    prompts.nextFileName.clear();
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QCOMPARE(prompts.saveDialogs.size(), 1);
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(QDir(Dir()).entryList(QDir::Files), before);
}

void DialogTest::anUncreatableDestinationIsReported()
{
    Run("2");
    prompts.nextFileName = InDir("no-such-directory/saved.txt");
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QCOMPARE(prompts.messages, QStringList{"Failed to open file for save."});
    QVERIFY(!QFile::exists(prompts.nextFileName));
}

void DialogTest::aMissingReportLeavesTheDestinationAlone()
{
    Run("2");
    QVERIFY(QFile::remove(InDir("TNXT001")));
    WriteBytes(InDir("saved.txt"), "keep me\n");
    prompts.nextFileName = InDir("saved.txt");
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QCOMPARE(prompts.messages, QStringList{"No report of the latest run to save."});
    QVERIFY(prompts.saveDialogs.isEmpty());
    QCOMPARE(Bytes(InDir("saved.txt")), QByteArray("keep me\n"));

    // The other report is still whole and still saves.
    Find<QRadioButton>("htmlRadio")->setChecked(true);
    prompts.nextFileName = InDir("saved.htm");
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QCOMPARE(Bytes(InDir("saved.htm")), Bytes(InDir("TNXH001")));
}

void DialogTest::aRunWhoseReportsFailedIsNotSaved()
{
    Run("2");
    // A directory where the HTML report belongs: the next run cannot open it,
    // and its text report is left empty.
    QVERIFY(QFile::remove(InDir("TNXH001")));
    QVERIFY(QDir(Dir()).mkdir(QStringLiteral("TNXH001")));
    Run("3");
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kOpenReportsFailed)});
    QCOMPARE(Tree()->model()->rowCount(Root()), 3);
    QVERIFY(Button("saveButton")->isEnabled());

    prompts.messages.clear();
    WriteBytes(InDir("saved.txt"), "keep me\n");
    prompts.nextFileName = InDir("saved.txt");
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QCOMPARE(prompts.messages, QStringList{"No report of the latest run to save."});
    QCOMPARE(Bytes(InDir("saved.txt")), QByteArray("keep me\n"));
}

void DialogTest::aFailedCopyLeavesTheDestinationWhole()
{
    Run("2");
    WriteBytes(InDir("saved.txt"), "keep me\n");
    prompts.nextFileName = InDir("saved.txt");
    // A disk that fills while the copy is written: files may not grow past 16
    // bytes (the soft limit only, so it can be raised back), and SIGXFSZ is
    // ignored so the writes fail instead.
    rlimit before{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &before) == 0);
    const rlimit full{16, before.rlim_max};
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &full) == 0);
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &before) == 0);
    ::signal(SIGXFSZ, previousHandler);
    QCOMPARE(prompts.messages, QStringList{QString::fromLatin1(kSaveWriteFailed)});
    QCOMPARE(Bytes(InDir("saved.txt")), QByteArray("keep me\n"));
    // Nothing is left of the attempt beside it.
    QStringList files = QDir(Dir()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    QCOMPARE(files, (QStringList{"TNXH001", "TNXT001", "saved.txt"}));
}

void DialogTest::saveWritesTheLatestRunWhateverTheNumberFieldSays()
{
    Run("2");
    NumberField()->setText(QStringLiteral("x"));
    prompts.nextFileName = InDir("saved.txt");
    QTest::mouseClick(Button("saveButton"), Qt::LeftButton);
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(Bytes(InDir("saved.txt")), Bytes(InDir("TNXT001")));
    QVERIFY(!Bytes(InDir("saved.txt")).isEmpty());
}

void DialogTest::theSaveDialogAddsTheSuffixAndAsksBeforeOverwriting()
{
    WriteBytes(InDir("report.txt"), "an older report\n");
    QString filters;
    QString question;
    // A window other than the one expected is closed at once, so no modal
    // window outlives the test; a timed guard would close a file dialog that
    // is merely slow to open on a busy machine.
    const auto closeModals = [] {
        while (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    };
    QTimer::singleShot(0, [&] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (files == nullptr) {
            closeModals();
            return;
        }
        filters = files->nameFilters().join(QLatin1Char(';'));
        files->selectFile(QStringLiteral("report"));
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                closeModals();
                return;
            }
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        QMetaObject::invokeMethod(files, "accept");
    });
    DialogPrompts dialogPrompts;
    const QString name =
        dialogPrompts.AskSaveFileName(&Dialog(), QStringLiteral("Text File (*.txt)"), QStringLiteral("txt"), Dir(),
                                      QStringLiteral("Save to File"));
    QCOMPARE(filters, QStringLiteral("Text File (*.txt)"));
    QCOMPARE(name, InDir("report.txt"));
    QVERIFY2(question.contains(QStringLiteral("report.txt")), qPrintable(question));
}

void DialogTest::escapeClosesTheDialog()
{
    QTest::keyClick(NumberField(), Qt::Key_Escape);
    QVERIFY(!Dialog().isVisible());
}

// Fonts differ in the width of their blanks and punctuation; no caption may
// be cut short for it.
void DialogTest::everyCaptionFitsItsBox()
{
    for (const char* name : {"numberLabel", "levelLabel"}) {
        const QLabel* label = Find<QLabel>(name);
        QVERIFY2(label->width() >= label->sizeHint().width(), name);
    }
    for (const char* name : {"lowRadio", "mediumRadio", "highRadio", "textRadio", "htmlRadio", "censusBox"}) {
        const auto* button = Find<QAbstractButton>(name);
        QVERIFY2(button->width() >= button->sizeHint().width(), name);
    }
    // The number field still starts to the right of its label.
    QVERIFY(Find<QLabel>("numberLabel")->geometry().right() < NumberField()->geometry().left());
}

void DialogTest::theTreeTakesTheRoomOfALargerWindow()
{
    Run("40");
    const QSize opening = Dialog().size();
    const QSize viewport = Tree()->viewport()->size();
    QList<QWidget*> controls;
    QList<QRect> places;
    for (QWidget* control : Find<QWidget>("clientArea")->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control != Tree() && control->isVisible()) {
            controls << control;
            places << control->geometry();
        }
    }
    QVERIFY(controls.size() >= 14);

    // As on a screen larger than the offscreen one, which the dialog never outgrows.
    Dialog().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    Dialog().resize(opening + QSize(300, 200));
    QCOMPARE(Dialog().size(), opening + QSize(300, 200));
    QCOMPARE(Tree()->viewport()->size(), viewport + QSize(300, 200));
    for (int i = 0; i < controls.size(); ++i) {
        QCOMPARE(controls[i]->geometry(), places[i]);
    }
    // No control lies over another or over the tree; only the Output box
    // frames its own buttons.
    const auto* output = Find<QWidget>("outputGroup");
    controls << Tree();
    for (int i = 0; i < controls.size(); ++i) {
        for (int j = i + 1; j < controls.size(); ++j) {
            const QRect a = controls[i]->geometry();
            const QRect b = controls[j]->geometry();
            const bool framed = (controls[i] == output && a.contains(b)) || (controls[j] == output && b.contains(a));
            QVERIFY2(framed || !a.intersects(b),
                     qPrintable(controls[i]->objectName() + QLatin1String(" overlaps ") + controls[j]->objectName()));
        }
    }
    // Never smaller than the window it opens as.
    Dialog().resize(opening - QSize(100, 100));
    QCOMPARE(Dialog().size(), opening);
}

}  // namespace nexmar

QTEST_MAIN(nexmar::DialogTest)
#include "dialog_test.moc"
