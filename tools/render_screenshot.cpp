// Renders the dialog after a run, offscreen on a 1280x900 screen, into a PNG
// for the README, and when asked the same dialog with its Run menu open,
// with the picture of the selected system beside the tree, and with the
// Sector Overview of its run beside the tree:
// and a sector edited: its second system renamed, locked and given a note
// in the notes pane:
//   nexmar-screenshot docs/screenshot.png [docs/menus.png [docs/picture-pane.png [docs/overview.png
//                     [docs/sector.png]]]]
// The run's temporary reports go to a scratch directory.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdio>
#include <functional>

#include "app/kit/artwork.h"
#include "app/dialog/generator_dialog.h"
#include "app/kit/user_prompts.h"

namespace {

class PrintedPrompts final : public nexmar::UserPrompts {
public:
    void ShowMessage(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "nexmar-screenshot: %s\n", qPrintable(text));
    }
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    std::optional<QString> AskSeed(QWidget*, const QString&) override { return std::nullopt; }
    // The name the sector's picture gives its second system.
    std::optional<QString> AskName(QWidget*, const QString&, const QString&) override
    {
        return QStringLiteral("Vessa Reach");
    }
    nexmar::UnsavedAnswer AskSaveChanges(QWidget*, const QString&) override { return nexmar::UnsavedAnswer::Discard; }
    bool AskRestore(QWidget*, const QString&) override { return false; }
    void ShowAbout(QWidget*) override {}
    void ShowPrintPreview(QWidget*, const std::function<void(QPrinter&)>&) override {}
};

// The overview beside the tree alone, the dialog at its opening size again,
// sorted by the best Capacity, its row chosen for the system chosen in the tree.
void ShowOverview(nexmar::GeneratorDialog& dialog, const QSize& opening)
{
    dialog.findChild<QAction*>(QStringLiteral("showPictureAction"))->trigger();
    dialog.resize(opening);
    dialog.findChild<QAction*>(QStringLiteral("overviewAction"))->trigger();
    dialog.findChild<QTableView*>(QStringLiteral("overviewTable"))->sortByColumn(6, Qt::DescendingOrder);
}

// The overview hidden and the first system closed; the second renamed,
// locked, opened and given a note in the notes pane.
void EditSector(nexmar::GeneratorDialog& dialog, QTreeView& tree, const QSize& opening)
{
    dialog.findChild<QAction*>(QStringLiteral("overviewAction"))->trigger();
    const QModelIndex root = tree.model()->index(0, 0);
    tree.collapse(tree.model()->index(0, 0, root));
    dialog.resize(opening);
    const QModelIndex second = tree.model()->index(1, 0, root);
    tree.setCurrentIndex(second);
    for (const char* action : {"renameAction", "lockAction", "showNotesAction"}) {
        dialog.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    tree.expand(second);
    auto* notes = dialog.findChild<QPlainTextEdit*>(QStringLiteral("notesEditor"));
    notes->setFocus();
    QTest::keyClicks(notes, QStringLiteral("Pirate haven: the second moon hides a refuelling base."));
    tree.setFocus();
}

// Does arrange, then saves the dialog as drawn into name; false when it cannot.
bool SaveGrab(nexmar::GeneratorDialog& dialog, const char* name, const std::function<void()>& arrange)
{
    arrange();
    QApplication::processEvents();
    const QString path = QDir::current().absoluteFilePath(QString::fromLocal8Bit(name));
    if (!dialog.grab().save(path, "PNG")) {
        std::fprintf(stderr, "nexmar-screenshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" NEXMAR_SCREENSHOT_SCREEN);
    QApplication app(argc, argv);
    if (argc < 2 || argc > 6) {
        std::fputs("usage: nexmar-screenshot <output.png> [<menus.png> [<picture-pane.png> [<overview.png> "
                   "[<sector.png>]]]]\n",
                   stderr);
        return 2;
    }
    const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fputs("nexmar-screenshot: no scratch directory\n", stderr);
        return 1;
    }
    app.setWindowIcon(nexmar::ApplicationIcon());

    PrintedPrompts prompts;
    nexmar::GeneratorDialog dialog(prompts, 2026, scratch.path().toStdString());
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("numberField"))->setText(QStringLiteral("12"));
    dialog.findChild<QRadioButton*>(QStringLiteral("highRadio"))->setChecked(true);
    dialog.findChild<QCheckBox*>(QStringLiteral("censusBox"))->setChecked(true);
    dialog.findChild<QPushButton*>(QStringLiteral("generateButton"))->click();

    // Open the root, the first system and its first object, as a user browsing would.
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("resultTree"));
    const QModelIndex root = tree->model()->index(0, 0);
    const QModelIndex firstSystem = tree->model()->index(0, 0, root);
    tree->expand(root);
    tree->expand(firstSystem);
    QModelIndex openedChild;
    for (int row = 0; row < tree->model()->rowCount(firstSystem); ++row) {
        const QModelIndex child = tree->model()->index(row, 0, firstSystem);
        if (tree->model()->hasChildren(child)) {
            tree->expand(child);
            openedChild = child;
            break;
        }
    }
    QApplication::processEvents();

    if (!dialog.grab().save(output, "PNG")) {
        std::fprintf(stderr, "nexmar-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    if (argc >= 3) {
        // A popup menu is a window of its own: it is drawn onto the
        // dialog's picture where it opens, below its title in the menu bar.
        auto* bar = dialog.findChild<QMenuBar*>(QStringLiteral("menuBar"));
        QAction* runTitle = nullptr;
        for (QAction* title : bar->actions()) {
            if (title->text() == QStringLiteral("&Run")) {
                runTitle = title;
            }
        }
        QMenu* run = runTitle->menu();
        const QPoint below = bar->actionGeometry(runTitle).bottomLeft();
        bar->setActiveAction(runTitle);
        run->popup(bar->mapToGlobal(below));
        QApplication::processEvents();
        QPixmap picture = dialog.grab();
        QPainter painter(&picture);
        painter.drawPixmap(bar->mapTo(&dialog, below), run->grab());
        painter.end();
        const QString menus = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2]));
        if (!picture.save(menus, "PNG")) {
            std::fprintf(stderr, "nexmar-screenshot: cannot write %s\n", qPrintable(menus));
            return 1;
        }
        run->close();
        bar->setActiveAction(nullptr);
    }
    const QSize opening = dialog.size();
    if (argc >= 4) {
        // The picture of the first system, from a click on the item opened above.
        tree->setCurrentIndex(openedChild.isValid() ? openedChild : firstSystem);
        dialog.findChild<QAction*>(QStringLiteral("showPictureAction"))->trigger();
        // A High system is a wide picture: the room a user would give it.
        dialog.resize(dialog.width() + 300, dialog.height());
        QApplication::processEvents();
        const QString pane = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[3]));
        if (!dialog.grab().save(pane, "PNG")) {
            std::fprintf(stderr, "nexmar-screenshot: cannot write %s\n", qPrintable(pane));
            return 1;
        }
    }
    if (argc >= 5 && !SaveGrab(dialog, argv[4], [&] { ShowOverview(dialog, opening); })) {
        return 1;
    }
    if (argc == 6 && !SaveGrab(dialog, argv[5], [&] { EditSector(dialog, *tree, opening); })) {
        return 1;
    }
    return 0;
}
