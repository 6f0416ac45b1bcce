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
#include <QUndoStack>

#include "app/dialog_actions.h"
#include "app/generator_dialog.h"
#include "app/recent_documents.h"
#include "app/recovery_copy.h"
#include "app/user_prompts.h"

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
    if (QFileInfo(name).absoluteFilePath() != documentPath_ || !documentStamp_.ChangedOnDisk(documentPath_)) {
        return std::nullopt;
    }
    switch (prompts_.AskChangedOnDisk(this, QDir::toNativeSeparators(documentPath_))) {
    case ChangedOnDiskAnswer::Overwrite:
        return std::nullopt;
    case ChangedOnDiskAnswer::Reload:
        // The edits made here give way to the document as it now is.
        if (ShowFile(documentPath_)) {
            BecomeDocument(documentPath_);
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
        documentPath_.isEmpty() ? AskDocumentName(actions_->Title("saveDocumentAction")) : documentPath_;
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
    undoStack_->setClean();
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
    documentPath_ = name.isEmpty() ? QString() : QFileInfo(name).absoluteFilePath();
    documentStamp_ = name.isEmpty() ? DocumentStamp() : DocumentStamp::Of(documentPath_);
    if (!name.isEmpty()) {
        RememberRecentDocument(name);
    }
    FollowEdits();
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
    if (undoStack_->isClean()) {
        return true;
    }
    switch (prompts_.AskSaveChanges(this, QFileInfo(documentPath_).fileName())) {
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
    recovery_->Remove();
    RememberWindow();
    QDialog::reject();
}

void GeneratorDialog::FollowWindowTitle()
{
    // The players see no name of the referee's files.
    const QString path = playerView_ ? QString() : documentPath_;
    setWindowFilePath(path);
    const QString document = path.isEmpty() ? QString() : QFileInfo(path).fileName() + QStringLiteral(" - ");
    setWindowTitle(document + QString::fromLatin1(kWindowTitle) + (undoStack_->isClean() ? "" : kModifiedMark));
}

void GeneratorDialog::FollowEdits()
{
    const bool clean = undoStack_->isClean();
    FollowWindowTitle();
    if (clean) {
        recovery_->Remove();
        return;
    }
    // On a thread of its own, so that an edit of 10,000 systems is not held
    // up by writing them; halted before the next change reaches the session.
    recovery_->Write(documentPath_, [this](QIODevice& destination, const std::atomic<bool>& cancel) {
        try {
            return session_.WriteJson(destination, cancel, [](int) {});
        } catch (const RenderCancelled&) {
            return false;
        }
    });
}

void GeneratorDialog::OfferRecovery()
{
    std::unique_ptr<LeftCopy> left = LeftCopy::Find(recoveryFolder_);
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
    documentPath_ = left->DocumentPath();
    documentStamp_ = documentPath_.isEmpty() ? DocumentStamp() : DocumentStamp::Of(documentPath_);
    // Restored, the edits are still to be saved (the title says so), under a
    // copy of this dialog's own, written whole before the one left goes.
    undoStack_->resetClean();
    recovery_->Finish();
    left->Remove();
}

}  // namespace nexmar
