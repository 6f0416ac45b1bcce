#pragma once

#include <QObject>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <memory>
#include <vector>

#include "app/kit/background_work.h"
#include "app/files/document_stamp.h"
#include "app/document/recovery_copy.h"
#include "app/document/run_session.h"

class QUndoStack;

namespace nexmar {

class SwapCommand;

// What the referee makes of a sector, without any widget: the run shown and
// its records, the edits' undo stack, the file it is kept in, whether it
// holds edits not saved, and the recovery copy that keeps them through a
// crash. Every change goes through it, and it says what changed, so that
// each view redraws what it shows without being told by any other.
class SectorDocument final : public QObject {
    Q_OBJECT

public:
    // The places (rows among the run's records) of the systems a change touched.
    using Places = std::vector<std::size_t>;
    // Runs work to its end (it cannot be cancelled), behind whatever the
    // caller shows meanwhile.
    using WorkRunner = std::function<void(const QString& label, const BackgroundWork& work)>;

    // seeds: where every run that asks for no seed takes its own.
    // recoveryFolder: where the copies of edits not saved are kept.
    SectorDocument(SeedSource seeds, const std::filesystem::path& reportDirectory, QString recoveryFolder,
                   QObject* parent = nullptr);
    ~SectorDocument() override;

    const RunSession& Session() const { return session_; }
    // The seeds of new runs and rerolls are taken from it.
    RunSession& Session() { return session_; }
    QUndoStack& UndoStack() const { return *undoStack_; }
    // How the systems rolled again are rendered anew: at once on the
    // calling thread, unless the window shows a progress window instead.
    void SetWorkRunner(WorkRunner runner) { runWork_ = std::move(runner); }

    // Shows run in place of the one shown, whose edits can no longer be undone.
    void ShowRun(RenderedRun run);

    // Does command's edit and keeps it on the undo stack; an edit of the
    // same burst of typing as the latest one joins it.
    void Edit(std::unique_ptr<SwapCommand> command);
    void Undo();
    void Redo();
    // Does (done) or undoes change on the run shown and says what it
    // changed: the swap every command makes.
    void Put(const SectorChange& change, bool done);
    // Keystrokes of one burst undo as one; the burst ends at an undo or
    // redo, or when the typing stops (EndBurst).
    int Burst() const { return burst_; }
    void EndBurst() { ++burst_; }

    // The sector's file, absolute; empty for a sector never saved.
    const QString& Path() const { return path_; }
    // The sector is now kept in name (none when empty), as it now stands on disk.
    void SetPath(const QString& name);
    // Whether someone else wrote the sector's file since it was opened or saved here.
    bool ChangedOnDisk() const { return stamp_.ChangedOnDisk(path_); }
    bool IsModified() const;
    // The sector was written whole to its file.
    void MarkSaved();
    // The sector shown is one a recovery copy kept for path (none when
    // empty): its edits are still to be saved, and a copy of this
    // document's own holds them before the one left goes.
    void MarkRestored(const QString& path);
    const QString& RecoveryFolder() const { return recoveryFolder_; }
    const RecoveryCopy& Recovery() const { return *recovery_; }
    // The edits are saved or given up: the recovery copy goes.
    void ForgetRecoveryCopy() { recovery_->Remove(); }

signals:
    // Another run is shown: every view starts afresh.
    void RunReplaced();
    // Systems were rolled again: the run was rendered anew from its records,
    // a new tree with the same systems in the same places.
    void RecordsChanged(const Places& places);
    // A name or a lock shown beside the systems changed.
    void NamesChanged(const Places& places);
    // What the players may see of the systems changed: a visibility, the
    // fields hidden, a name or a record.
    void VisibilityChanged(const Places& places);
    // A note on the systems or on their objects changed.
    void NotesChanged(const Places& places);
    // After each edit, undo and redo, once the signals above have been heard.
    void SystemsChanged(const Places& places);
    // Said by a render of the run: its messages, once every view shows it.
    void RunMessages(const QStringList& messages);
    void ModifiedChanged(bool modified);
    void PathChanged(const QString& path);

private:
    // The run shown rendered again from its records, as edited; the
    // messages its render gave.
    std::vector<std::string> RenderEdited();
    // Keeps the recovery copy as the sector now stands: removed once clean.
    void FollowEdits();
    void TellMessages(const std::vector<std::string>& messages);

    RunSession session_;
    QUndoStack* undoStack_ = nullptr;  // clean while saved
    QString path_;
    DocumentStamp stamp_;  // the file as last opened or saved here
    int burst_ = 0;
    WorkRunner runWork_;
    QString recoveryFolder_;
    std::unique_ptr<RecoveryCopy> recovery_;  // reads session_, so ends before it
};

}  // namespace nexmar
