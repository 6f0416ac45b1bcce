#pragma once

#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QIODevice;
class QLockFile;

namespace nexmar {

// The copy of an edited sector's document that a dialog keeps while its
// edits are not saved, so that a crash or a kill loses none of them. Each
// dialog writes its own copy, under a name no other dialog uses, beside a
// lock that it holds while it lives: a copy whose lock no live process
// holds is one left behind, and the next start offers it.
class RecoveryCopy {
public:
    // Writes the whole document, or false on a write error; it may stop
    // early (false) once cancel turns true.
    using Writer = std::function<bool(QIODevice&, const std::atomic<bool>& cancel)>;

    // folder: where the copies are kept; made at the first write.
    explicit RecoveryCopy(QString folder);
    // Waits for a write in progress and keeps the copy, as a crash would.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    // The folder of the user's recovery copies.
    static QString UserFolder();

    // Writes the copy through write on a thread of its own, replacing the
    // earlier copy only once complete; documentPath names the file the
    // sector was opened from or saved as (empty: none). A write in progress
    // is stopped first.
    void Write(const QString& documentPath, Writer write);
    // Stops a write in progress, leaving the last complete copy: called
    // before what the writer reads changes.
    void Halt();
    // Whether a write was started and not yet halted or waited for.
    bool WriteUnderway() const { return writer_.joinable(); }
    // Waits until a write in progress ends.
    void Finish();
    // Halts and removes the copy: its edits are saved or given up.
    void Remove();

private:
    QString folder_;
    QString name_;  // of this dialog's files in folder_, without extension
    std::unique_ptr<QLockFile> lock_;
    QString pathWritten_;  // the document path the copy's companion file holds
    std::atomic<bool> cancel_{false};
    std::thread writer_;
};

// A recovery copy whose dialog ended without closing (a crash, a kill, a
// power cut), held against every other dialog until it is restored or
// removed.
class LeftCopy {
public:
    // The latest copy in folder whose dialog is gone; null when there is none.
    static std::unique_ptr<LeftCopy> Find(const QString& folder);
    ~LeftCopy();

    // The copy, a run's JSON document.
    QString Path() const { return path_; }
    // The file the sector was opened from or saved as; empty for none.
    QString DocumentPath() const { return documentPath_; }
    QDateTime Written() const { return written_; }
    // Removes the copy: restored under a copy of its own, or given up.
    void Remove();

private:
    LeftCopy() = default;

    QString path_;
    QString documentPath_;
    QDateTime written_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace nexmar
