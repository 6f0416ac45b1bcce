// Renders the dialog with its map pane, offscreen on a 1280x900 screen, into
// PNGs for the README: a run of 120 High systems, one renamed and selected
// in the tree, ringed on the map; and with Player View on, when asked, its
// second system kept Secret:
//   nexmar-map-screenshot docs/map-pane.png [docs/map-pane-players.png]

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>

#include <cstdio>

#include "app/kit/artwork.h"
#include "app/dialog/generator_dialog.h"
#include "app/map/map_pane.h"
#include "app/kit/user_prompts.h"

namespace {

class PrintedPrompts final : public nexmar::UserPrompts {
public:
    void ShowMessage(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "nexmar-map-screenshot: %s\n", qPrintable(text));
    }
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    std::optional<QString> AskSeed(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> AskName(QWidget*, const QString&, const QString&) override
    {
        return QStringLiteral("Vessa Reach");
    }
    nexmar::UnsavedAnswer AskSaveChanges(QWidget*, const QString&) override { return nexmar::UnsavedAnswer::Discard; }
    bool AskRestore(QWidget*, const QString&) override { return false; }
    void ShowAbout(QWidget*) override {}
    void ShowPrintPreview(QWidget*, const std::function<void(QPrinter&)>&) override {}
};

void Trigger(nexmar::GeneratorDialog& dialog, const char* action)
{
    dialog.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

// Saves the dialog once its map is drawn sharp; false when it cannot.
bool SaveSharp(nexmar::GeneratorDialog& dialog, nexmar::MapPane& map, const char* name)
{
    QApplication::processEvents();
    if (!QTest::qWaitFor([&map] { return map.Sharp(); }, 20000)) {
        std::fputs("nexmar-map-screenshot: the map was not drawn in time\n", stderr);
        return false;
    }
    const QString path = QDir::current().absoluteFilePath(QString::fromLocal8Bit(name));
    if (!dialog.grab().save(path, "PNG")) {
        std::fprintf(stderr, "nexmar-map-screenshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" NEXMAR_SCREENSHOT_SCREEN);
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fputs("usage: nexmar-map-screenshot <map-pane.png> [<map-pane-players.png>]\n", stderr);
        return 2;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fputs("nexmar-map-screenshot: no scratch directory\n", stderr);
        return 1;
    }
    app.setWindowIcon(nexmar::ApplicationIcon());
    PrintedPrompts prompts;
    nexmar::GeneratorDialog dialog(prompts, 2026, scratch.path().toStdString());
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("numberField"))->setText(QStringLiteral("120"));
    dialog.findChild<QRadioButton*>(QStringLiteral("highRadio"))->setChecked(true);
    dialog.findChild<QPushButton*>(QStringLiteral("generateButton"))->click();

    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("resultTree"));
    const QModelIndex root = tree->model()->index(0, 0);
    tree->expand(root);
    tree->setCurrentIndex(tree->model()->index(1, 0, root));
    Trigger(dialog, "renameAction");
    Trigger(dialog, "showMapAction");
    dialog.resize(1280, 860);
    auto* map = dialog.findChild<nexmar::MapPane*>(QStringLiteral("mapPane"));
    QApplication::processEvents();
    // Near enough to read the names, the wheel turned over the system selected.
    const QPointF selected = *map->PointOf(1);
    QWheelEvent wheel(selected, map->mapToGlobal(selected), QPoint(), QPoint(0, 3 * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &wheel);
    if (!SaveSharp(dialog, *map, argv[1])) {
        return 1;
    }
    if (argc == 3) {
        tree->setCurrentIndex(tree->model()->index(2, 0, root));
        Trigger(dialog, "secretAction");
        tree->setCurrentIndex(tree->model()->index(1, 0, root));
        Trigger(dialog, "playerViewAction");
        if (!SaveSharp(dialog, *map, argv[2])) {
            return 1;
        }
    }
    return 0;
}
