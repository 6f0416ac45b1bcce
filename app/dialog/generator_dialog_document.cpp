// The sector as a document: Save and Save As, the documents opened lately,
// the title that names the document and marks edits not saved, the
// question before unsaved edits are set aside, and the recovery copy that
// keeps them through a crash.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QSaveFile>

#include "app/commands/dialog_actions.h"
#include "app/document/sector_document.h"
#include "app/dialog/generator_dialog.h"
#include "app/files/recent_documents.h"
#include "app/kit/user_prompts.h"

namespace nexmar {

void GeneratorDialog::SaveDocument()
{
    SaveOrAskName();
}

void GeneratorDialog::SaveDocumentAs()
{
    if (!session_.HasRun()) {
        return;
    }
    const QString name = AskDocumentName(actions_->Title("saveDocumentAsAction"));
    if (!name.isEmpty()) {
        SaveDocumentTo(name);
    }
}

std::optional<bool> GeneratorDialog::SettleChangedOnDisk(const QString& name)
{
    const QString path = document_->Path();
    if (QFileInfo(name).absoluteFilePath() != path || !document_->ChangedOnDisk()) {
        return std::nullopt;
    }
    switch (prompts_.AskChangedOnDisk(this, QDir::toNativeSeparators(path))) {
    case ChangedOnDiskAnswer::Overwrite:
        return std::nullopt;
    case ChangedOnDiskAnswer::Reload:
        // The edits made here give way to the document as it now is.
        if (ShowFile(path)) {
            BecomeDocument(path);
        }
        return false;
    case ChangedOnDiskAnswer::SaveAs: {
        const QString other = AskDocumentName(actions_->Title("saveDocumentAsAction"));
        return !other.isEmpty() && SaveDocumentTo(other);
    }
    case ChangedOnDiskAnswer::Cancel:
        break;
    }
    return false;
}

bool GeneratorDialog::SaveOrAskName()
{
    if (!session_.HasRun()) {
        return false;
    }
    const QString name =
        document_->Path().isEmpty() ? AskDocumentName(actions_->Title("saveDocumentAction")) : document_->Path();
    return !name.isEmpty() && SaveDocumentTo(name);
}

bool GeneratorDialog::SaveDocumentTo(const QString& name)
{
    if (const std::optional<bool> settled = SettleChangedOnDisk(name)) {
        return *settled;
    }
    // The whole sector, whatever a filter keeps, written all or nothing.
    const FileWriter writeJson = [this](QSaveFile& destination, const std::atomic<bool>& cancel,
                                        WorkProgress& progress) {
        progress.total = static_cast<int>(session_.Records().size());
        return session_.WriteJson(destination, cancel, [&progress](int done) { progress.done = done; });
    };
    const QString done = QStringLiteral("Saved %1 as %2").arg(session_.Title(), QDir::toNativeSeparators(name));
    if (!WriteWholeInBackground(name, writeJson, done)) {
        return false;
    }
    BecomeDocument(name);
    document_->MarkSaved();
    return true;
}

void GeneratorDialog::OpenAsDocument(const QString& name)
{
    RememberFolder(name);
    if (ShowFile(name)) {
        BecomeDocument(name);
    }
}

void GeneratorDialog::BecomeDocument(const QString& name)
{
    document_->SetPath(name);
    if (!name.isEmpty()) {
        RememberRecentDocument(name);
    }
}

void GeneratorDialog::OpenRecent(const QString& name)
{
    if (!MaySetAsideEdits()) {
        return;
    }
    // A document moved or deleted since leaves the list as it fails to open.
    if (!QFileInfo::exists(name)) {
        ForgetRecentDocument(name);
    }
    OpenAsDocument(name);
}

void GeneratorDialog::ListRecent()
{
    QMenu* menu = actions_->Action("openRecentAction")->menu();
    menu->clear();
    const QStringList recent = RecentDocuments();
    for (int index = 0; index < recent.size(); ++index) {
        const QString& path = recent[index];
        QString text = QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* open = menu->addAction(QStringLiteral("&%1 %2").arg(index + 1).arg(text));
        open->setStatusTip(QStringLiteral("Open %1").arg(QDir::toNativeSeparators(path)));
        connect(open, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
    menu->addSeparator();
    QAction* clear = menu->addAction(QStringLiteral("&Clear List"), this, [] { ClearRecentDocuments(); });
    clear->setObjectName(QStringLiteral("clearRecentAction"));
    clear->setStatusTip(QStringLiteral("Forget the documents opened lately"));
    clear->setEnabled(!recent.isEmpty());
}

bool GeneratorDialog::MaySetAsideEdits()
{
    if (!document_->IsModified()) {
        return true;
    }
    switch (prompts_.AskSaveChanges(this, QFileInfo(document_->Path()).fileName())) {
    case UnsavedAnswer::Save:
        return SaveOrAskName();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

void GeneratorDialog::reject()
{
    // Closing the window, Escape and Quit all end here.
    if (!MaySetAsideEdits()) {
        return;
    }
    document_->ForgetRecoveryCopy();
    RememberWindow();
    QDialog::reject();
}

void GeneratorDialog::FollowWindowTitle()
{
    // The players see no name of the referee's files.
    const QString path = playerView_ ? QString() : document_->Path();
    setWindowFilePath(path);
    const QString document = path.isEmpty() ? QString() : QFileInfo(path).fileName() + QStringLiteral(" - ");
    setWindowTitle(document + QString::fromLatin1(kWindowTitle) + (document_->IsModified() ? kModifiedMark : ""));
}

void GeneratorDialog::OfferRecovery()
{
    std::unique_ptr<LeftCopy> left = LeftCopy::Find(document_->RecoveryFolder());
    if (left == nullptr) {
        return;
    }
    const QString of = left->DocumentPath().isEmpty()
                           ? QStringLiteral("a sector never saved")
                           : QDir::toNativeSeparators(left->DocumentPath());
    // Restored, the edits come back as the sector shown, not as edits on
    // the undo list: the prompt says so, and that No deletes them.
    const QString text =
        QStringLiteral("Nexmar ended without saving the edits of %1, made at %2. Restore them?\n\n"
                       "Yes shows them, still to be saved; the restore itself cannot be undone. "
                       "No deletes the recovery copy, and the edits with it.")
            .arg(of, QLocale().toString(left->Written(), QLocale::ShortFormat));
    if (!prompts_.AskRestore(this, text)) {
        left->Remove();
        return;
    }
    // A copy that cannot be shown stays, to be offered at the next start.
    if (!MaySetAsideEdits() || !ShowFile(left->Path())) {
        return;
    }
    // Restored, the edits are still to be saved (the title says so), under a
    // copy of this dialog's own, written whole before the one left goes.
    document_->MarkRestored(left->DocumentPath());
    left->Remove();
}

}  // namespace nexmar
