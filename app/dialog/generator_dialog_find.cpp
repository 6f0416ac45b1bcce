// The dialog's find, print and copy commands, over the systems the tree shows.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QScrollArea>
#include <QTemporaryFile>

#include <cstdio>
#include <functional>

#include "app/panes/find_bar.h"
#include "app/dialog/generator_dialog.h"
#include "app/panes/result_tree_model.h"
#include "app/panes/result_tree_view.h"
#include "app/printing/run_printer.h"
#include "model/run_records.h"
#include "app/panes/system_filter.h"
#include "app/panes/system_text.h"
#include "app/kit/user_prompts.h"

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
    // On a screen too small for the window the client area scrolls: the
    // field comes into view, as far to the left as it goes.
    if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("clientScroll"))) {
        scroll->ensureWidgetVisible(findBar_, 0, 0);
    }
}

void GeneratorDialog::FindNext()
{
    findBar_->FindNext();
}

void GeneratorDialog::FindPrevious()
{
    findBar_->FindPrevious();
}

PrintRequest GeneratorDialog::ShownRequest() const
{
    if (playerView_) {
        return PlayersRequest();
    }
    PrintRequest request;
    const ShownTree& tree = *session_.Tree();
    // The systems' rows in the tree are their places among the records.
    for (const ItemId system : findBar_->ShownSystems()) {
        request.places.push_back(static_cast<std::size_t>(tree.at(system).row));
    }
    const RunSettings& run = session_.Description();
    request.run = session_.Title();
    if (run.census) {
        request.run.replace(QStringLiteral(", seed"), QStringLiteral(" with census, seed"));
    }
    const std::size_t all = SystemItems(tree).size();
    const QString filter = findBar_->FilterText();
    request.selection = request.places.size() == all || filter.isEmpty()
                            ? QStringLiteral("All %L1 systems").arg(all)
                            : QStringLiteral("%L1 of %L2 systems, found by: %3")
                                  .arg(request.places.size())
                                  .arg(all)
                                  .arg(filter);
    return request;
}

bool GeneratorDialog::PrintInBackground(QPagedPaintDevice& device, const PrintRequest& request, const QString& label)
{
    // Over a print preview, which is modal, when it asks.
    QWidget* const above = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : this;
    bool painted = false;
    const bool finished =
        RunInBackground(above, prompts_, label, [&](const std::atomic<bool>& cancel, WorkProgress& progress) {
            progress.total = static_cast<int>(request.places.size());
            painted = PrintSystems(device, session_.Records(), request, [&](int done) {
                progress.done = done;
                return !cancel.load();
            });
        });
    return finished && painted;
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
    if (session_.HasRun()) {
        PrintPages(ShownRequest());
    }
}

void GeneratorDialog::PrintPages(const PrintRequest& request)
{
    prompts_.ShowPrintPreview(this, [&](QPrinter& printer) {
        printer.setDocName(request.run);
        const auto print = [&] {
            return PrintInBackground(printer, request,
                                     QStringLiteral("Printing %L1 systems...").arg(request.places.size()));
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
    if (session_.HasRun()) {
        WritePdf(ShownRequest(), {});
    }
}

void GeneratorDialog::WritePdf(const PrintRequest& request, const QString& title)
{
    const QString name = AskSaveName("PDF File (*.pdf)", "pdf", title);
    if (name.isEmpty()) {
        return;
    }
    WriteWholeInBackground(name, [&](QSaveFile& destination, const std::atomic<bool>& cancel, WorkProgress& progress) {
        progress.total = static_cast<int>(request.places.size());
        QPdfWriter pdf(&destination);
        pdf.setTitle(request.run);
        pdf.setCreator(QStringLiteral("Tolvik Nexmar"));
        UsePaper(pdf);
        return PrintSystems(pdf, session_.Records(), request, [&](int done) {
            progress.done = done;
            return !cancel.load();
        });
    });
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
