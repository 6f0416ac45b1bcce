#include "app/kit/user_prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/kit/about_dialog.h"
#include "app/printing/run_printer.h"
#include "app/kit/screen_room.h"

namespace nexmar {

void DialogPrompts::ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tolvik Nexmar"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    KeepOnScreenWhenShown(box);
    box.exec();
}

QString DialogPrompts::AskSaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                       const QString& directory, const QString& title)
{
    // The confirmation before overwriting an existing file stays on. Qt's own
    // dialog asks it for the name with the suffix added; a native one may
    // ask only for the name as typed.
    QFileDialog dialog(parent, title, directory);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    KeepOnScreenWhenShown(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString DialogPrompts::AskOpenFileName(QWidget* parent, const QString& filter, const QString& directory)
{
    QFileDialog dialog(parent, QString(), directory);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    KeepOnScreenWhenShown(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> DialogPrompts::AskSeed(QWidget* parent, const QString& text)
{
    QInputDialog input(parent);
    KeepOnScreenWhenShown(input);
    input.setWindowTitle(QStringLiteral("Generate with Seed"));
    input.setLabelText(QStringLiteral("Seed (0 to 18446744073709551615):"));
    input.setTextValue(text);
    // Wide enough for its title beside the window buttons, not only for its field.
    input.setMinimumWidth(input.fontMetrics().horizontalAdvance(input.windowTitle()) + 200);
    if (input.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return input.textValue();
}

std::optional<QString> DialogPrompts::AskName(QWidget* parent, const QString& title, const QString& text)
{
    QInputDialog input(parent);
    KeepOnScreenWhenShown(input);
    input.setWindowTitle(title);
    input.setLabelText(QStringLiteral("Name:"));
    input.setTextValue(text);
    input.setMinimumWidth(input.fontMetrics().horizontalAdvance(input.windowTitle()) + 200);
    if (input.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return input.textValue();
}

UnsavedAnswer DialogPrompts::AskSaveChanges(QWidget* parent, const QString& document)
{
    const QString what = document.isEmpty() ? QStringLiteral("the sector") : document;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tolvik Nexmar"),
                    QStringLiteral("Save the changes to %1?").arg(what),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(QStringLiteral("Edits not saved are lost."));
    box.setDefaultButton(QMessageBox::Save);
    KeepOnScreenWhenShown(box);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedAnswer::Save;
    case QMessageBox::Discard:
        return UnsavedAnswer::Discard;
    default:
        return UnsavedAnswer::Cancel;
    }
}

bool DialogPrompts::AskRestore(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tolvik Nexmar"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    KeepOnScreenWhenShown(box);
    return box.exec() == QMessageBox::Yes;
}

bool DialogPrompts::AskProceed(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    KeepOnScreenWhenShown(box);
    return box.exec() == QMessageBox::Ok;
}

ChangedOnDiskAnswer DialogPrompts::AskChangedOnDisk(QWidget* parent, const QString& document)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tolvik Nexmar"),
                    QStringLiteral("%1 changed on disk since it was opened or saved here.").arg(document),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(QStringLiteral("Reload it, losing the edits made here; overwrite it, losing the "
                                          "changes made elsewhere; or save the edits made here under another name."));
    QAbstractButton* reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::DestructiveRole);
    QAbstractButton* overwrite = box.addButton(QStringLiteral("&Overwrite"), QMessageBox::AcceptRole);
    QAbstractButton* saveAs = box.addButton(QStringLiteral("&Save As..."), QMessageBox::ActionRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    KeepOnScreenWhenShown(box);
    box.exec();
    if (box.clickedButton() == reload) {
        return ChangedOnDiskAnswer::Reload;
    }
    if (box.clickedButton() == overwrite) {
        return ChangedOnDiskAnswer::Overwrite;
    }
    return box.clickedButton() == saveAs ? ChangedOnDiskAnswer::SaveAs : ChangedOnDiskAnswer::Cancel;
}

void DialogPrompts::ShowAbout(QWidget* parent)
{
    AboutDialog box(parent);
    KeepOnScreenWhenShown(box);
    box.exec();
}

void DialogPrompts::ShowPrintPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    UsePaper(printer);
    QPrintPreviewDialog preview(&printer, parent);
    KeepOnScreenWhenShown(preview);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&paint](QPrinter* chosen) { paint(*chosen); });
    preview.exec();
}

}  // namespace nexmar
