// Renders the dialog with its find field keeping the Gaia Worlds of 200 High
// systems (found as text, so the items found show in bold), offscreen, into
// a PNG for the README, and exports those systems as a PDF, whose first
// page pdftoppm turns into a PNG:
//   nexmar-find-screenshot docs/find.png kept.pdf
//   pdftoppm -png -r 60 -f 1 -l 1 -singlefile kept.pdf docs/print-page

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <cstdio>

#include "app/kit/artwork.h"
#include "app/dialog/generator_dialog.h"
#include "app/kit/user_prompts.h"

namespace {

class PrintedPrompts final : public nexmar::UserPrompts {
public:
    void ShowMessage(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "nexmar-find-screenshot: %s\n", qPrintable(text));
    }
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override { return pdf; }
    QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    std::optional<QString> AskSeed(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> AskName(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    nexmar::UnsavedAnswer AskSaveChanges(QWidget*, const QString&) override { return nexmar::UnsavedAnswer::Discard; }
    bool AskRestore(QWidget*, const QString&) override { return false; }
    void ShowAbout(QWidget*) override {}
    void ShowPrintPreview(QWidget*, const std::function<void(QPrinter&)>&) override {}

    QString pdf;
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: nexmar-find-screenshot <output.png> <output.pdf>\n", stderr);
        return 2;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fputs("nexmar-find-screenshot: no scratch directory\n", stderr);
        return 1;
    }
    app.setWindowIcon(nexmar::ApplicationIcon());

    PrintedPrompts prompts;
    prompts.pdf = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2]));
    nexmar::GeneratorDialog dialog(prompts, 2026, scratch.path().toStdString());
    dialog.resize(dialog.size() + QSize(0, 120));
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("numberField"))->setText(QStringLiteral("200"));
    dialog.findChild<QRadioButton*>(QStringLiteral("highRadio"))->setChecked(true);
    dialog.findChild<QPushButton*>(QStringLiteral("generateButton"))->click();

    dialog.Find();
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("findField"));
    field->setText(QStringLiteral("gaia world"));
    QTest::keyClick(field, Qt::Key_Return);
    // The first system kept, opened, with its Gaia World found by F3.
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("resultTree"));
    tree->expand(tree->model()->index(0, 0));
    dialog.FindNext();
    tree->scrollTo(tree->currentIndex(), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();

    const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    if (!dialog.grab().save(output, "PNG")) {
        std::fprintf(stderr, "nexmar-find-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    dialog.ExportPdf();
    return QFileInfo::exists(prompts.pdf) ? 0 : 1;
}
