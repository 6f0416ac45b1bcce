// The dialog's find, print and copy commands, over the systems the tree shows.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cstdio>
#include <functional>

#include "app/find_bar.h"
#include "app/generator_dialog.h"
#include "app/result_tree_model.h"
#include "app/result_tree_view.h"
#include "app/run_printer.h"
#include "app/system_filter.h"
#include "app/system_text.h"
#include "app/user_prompts.h"

namespace nexmar {

// "System 7": the system an item lies in, named by its item.
static QString SystemNameOf(QModelIndex item)
{
    while (item.parent().isValid() && item.parent().parent().isValid()) {
        item = item.parent();
    }
    return item.data().toString();
}

void GeneratorDialog::Find()
{
    findBar_->Open();
}

void GeneratorDialog::FindNext()
{
    findBar_->FindNext();
}

void GeneratorDialog::FindPrevious()
{
    findBar_->FindPrevious();
}

QString GeneratorDialog::ShownTitle(std::size_t shown) const
{
    const std::size_t all = SystemItems(*session_.Tree()).size();
    return shown == all ? session_.Title() : QStringLiteral("%L1 of %2").arg(shown).arg(session_.Title());
}

// A file printed halfway is no print: the pages go to a hidden file beside
// the one chosen, which takes its name only once every page is written, so a
// cancelled or failed print leaves an earlier file of that name as it was.
static void PrintToFileWhole(QPrinter& printer, const std::function<bool()>& print)
{
    const QString chosen = printer.outputFileName();
    const QFileInfo info(chosen);
    QTemporaryFile pages(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral("-XXXXXX"));
    if (!pages.open()) {
        print();  // a folder we cannot write beside: the printer tells its own error
        return;
    }
    pages.close();
    printer.setOutputFileName(pages.fileName());
    if (print() && std::rename(QFile::encodeName(pages.fileName()).constData(),
                               QFile::encodeName(chosen).constData()) == 0) {
        pages.setAutoRemove(false);
    }
    printer.setOutputFileName(chosen);
}

void GeneratorDialog::Print()
{
    if (!session_.HasRun()) {
        return;
    }
    const std::vector<ItemId> systems = findBar_->ShownSystems();
    const QString title = ShownTitle(systems.size());
    prompts_.ShowPrintPreview(this, [&](QPrinter& printer) {
        // Over the preview, which is modal, when it asks.
        QWidget* const above = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : this;
        StepProgress progress(above, prompts_, QStringLiteral("Printing %L1 systems...").arg(systems.size()),
                              2 * static_cast<int>(systems.size()));
        const auto print = [&] {
            return PrintSystems(printer, session_, systems, title,
                                [&progress](int done) { return progress.Step(done); });
        };
        if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
            PrintToFileWhole(printer, print);
        } else {
            print();
        }
    });
}

void GeneratorDialog::ExportPdf()
{
    if (!session_.HasRun()) {
        return;
    }
    const QString name = AskSaveName("PDF File (*.pdf)", "pdf");
    if (name.isEmpty()) {
        return;
    }
    const std::vector<ItemId> systems = findBar_->ShownSystems();
    const QString title = ShownTitle(systems.size());
    StepProgress progress(this, prompts_, QStringLiteral("Saving %1...").arg(QFileInfo(name).fileName()),
                          2 * static_cast<int>(systems.size()));
    const SaveOutcome outcome = SaveWhole(name, [&](QSaveFile& destination) {
        QPdfWriter pdf(&destination);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Tolvik Nexmar"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        return PrintSystems(pdf, session_, systems, title, [&progress](int done) { return progress.Step(done); });
    });
    // Cancelled, the earlier file is left as it was.
    if (!progress.Cancelled()) {
        TellSaveOutcome(outcome);
    }
}

void GeneratorDialog::CopyAsText()
{
    const QModelIndex current = treeView_->currentIndex();
    const std::optional<std::string> rows = SystemReportText(session_, model_->ItemOf(current));
    if (!rows) {
        // The root, or nothing: a whole run is copied by Save to File.
        Tell(QStringLiteral("Nothing copied: select a system, or an item in it, to copy its rows; "
                            "Save to File writes the whole run"));
        return;
    }
    QApplication::clipboard()->setText(QString::fromStdString(*rows));
    const QString lines = QString::number(QString::fromStdString(*rows).count(QLatin1Char('\n')));
    Tell(QStringLiteral("Copied the rows of %1 (%2 lines) as text").arg(SystemNameOf(current), lines));
}

}  // namespace nexmar
