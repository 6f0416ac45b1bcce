#include "app/document/sector_document.h"

#include <QFileInfo>
#include <QStringList>
#include <QUndoStack>

#include <atomic>
#include <span>
#include <utility>

#include "app/document/swap_command.h"

namespace nexmar {

namespace {

// Runs work where it is called, to its end.
void RunHere(const QString&, const BackgroundWork& work)
{
    const std::atomic<bool> never{false};
    WorkProgress progress;
    work(never, progress);
}

}  // namespace

SectorDocument::SectorDocument(SeedSource seeds, const std::filesystem::path& reportDirectory,
                               QString recoveryFolder, QObject* parent)
    : QObject(parent),
      session_(std::move(seeds), reportDirectory),
      undoStack_(new QUndoStack(this)),
      runWork_(RunHere),
      recoveryFolder_(std::move(recoveryFolder)),
      recovery_(std::make_unique<RecoveryCopy>(recoveryFolder_))
{
    // Each edit, undo, redo, save and new run.
    connect(undoStack_, &QUndoStack::indexChanged, this, &SectorDocument::FollowEdits);
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        FollowEdits();
        emit ModifiedChanged(!clean);
    });
}

SectorDocument::~SectorDocument()
{
    // The undo stack empties as it goes, after this document's members: what
    // it says then is for no one. A recovery copy left stays, as after a crash.
    undoStack_->disconnect(this);
}

void SectorDocument::ShowRun(RenderedRun run)
{
    const std::vector<std::string> messages = std::move(run.messages);
    // The recovery copy's writer reads the run shown: it stops before it goes.
    recovery_->Halt();
    session_.Show(std::move(run));
    // The edits undone and redone are of the run that was shown.
    undoStack_->clear();
    emit RunReplaced();
    TellMessages(messages);
}

void SectorDocument::Edit(std::unique_ptr<SwapCommand> command)
{
    undoStack_->push(command.release());
}

void SectorDocument::Undo()
{
    EndBurst();
    undoStack_->undo();
}

void SectorDocument::Redo()
{
    EndBurst();
    undoStack_->redo();
}

void SectorDocument::Put(const SectorChange& change, bool done)
{
    // The recovery copy's writer reads the systems: it stops before they change.
    recovery_->Halt();
    session_.Change(change, done);
    const Places places = change.Places();
    std::vector<std::string> messages;
    if (change.ChangesRecords()) {
        messages = RenderEdited();
        emit RecordsChanged(places);
    } else if (change.ChangesShown()) {
        emit NamesChanged(places);
    }
    if (change.ChangesWhatPlayersSee() && !change.ChangesRecords()) {
        emit VisibilityChanged(places);
    }
    if (!change.ChangesShown() && !change.ChangesWhatPlayersSee()) {
        emit NotesChanged(places);
    }
    emit SystemsChanged(places);
    TellMessages(messages);
}

std::vector<std::string> SectorDocument::RenderEdited()
{
    // The records' own head is a document's, or only a seed: the run's
    // settings say how it renders.
    LoadedRun edited = session_.Records().AsLoadedRun();
    edited.summary.settings = session_.Description();
    auto records = std::make_unique<RunRecords>(std::move(edited));
    const RunRecords& kept = *records;
    std::optional<RenderedRun> rendered;
    // An edit done is never left half shown: the render runs to its end.
    runWork_(QStringLiteral("Showing the edited systems..."), [&](const std::atomic<bool>& cancel,
                                                                 WorkProgress& progress) {
        progress.total = static_cast<int>(kept.size());
        rendered = RenderRun(
            session_.Description(), session_.ReportDirectory(),
            [&kept](ResultTree& tree, ReportFiles& reports, Notifier& notifier, const SystemDone& systemDone,
                    std::span<RunOutput* const> observers) {
                RenderLoadedRun(kept.AsLoadedRun(), tree, reports, notifier, systemDone, observers);
            },
            cancel, [&progress](int done) { progress.done = done; }, std::move(records));
    });
    std::vector<std::string> messages = std::move(rendered->messages);
    session_.Show(std::move(*rendered));
    return messages;
}

void SectorDocument::TellMessages(const std::vector<std::string>& messages)
{
    if (messages.empty()) {
        return;
    }
    QStringList told;
    for (const std::string& message : messages) {
        told.append(QString::fromStdString(message));
    }
    emit RunMessages(told);
}

void SectorDocument::SetPath(const QString& name)
{
    path_ = name.isEmpty() ? QString() : QFileInfo(name).absoluteFilePath();
    stamp_ = name.isEmpty() ? DocumentStamp() : DocumentStamp::Of(path_);
    // The copy names the file it stands for.
    FollowEdits();
    emit PathChanged(path_);
}

bool SectorDocument::IsModified() const
{
    return !undoStack_->isClean();
}

void SectorDocument::MarkSaved()
{
    undoStack_->setClean();
}

void SectorDocument::MarkRestored(const QString& path)
{
    path_ = path;
    stamp_ = path_.isEmpty() ? DocumentStamp() : DocumentStamp::Of(path_);
    undoStack_->resetClean();
    // Written whole before the copy left goes.
    recovery_->Finish();
    emit PathChanged(path_);
}

void SectorDocument::FollowEdits()
{
    if (undoStack_->isClean()) {
        recovery_->Remove();
        return;
    }
    // On a thread of its own, so that an edit of 10,000 systems is not held
    // up by writing them; halted before the next change reaches the session.
    recovery_->Write(path_, [this](QIODevice& destination, const std::atomic<bool>& cancel) {
        try {
            return session_.WriteJson(destination, cancel, [](int) {});
        } catch (const RenderCancelled&) {
            return false;
        }
    });
}

}  // namespace nexmar
