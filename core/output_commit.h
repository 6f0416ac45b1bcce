#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace nexmar {

// Told what a signal handler needs to leave no file behind and to say
// truthfully what a run delivered. Each call comes with every signal held
// back on the calling thread, so a handler never sees a change half made.
class OutputWatch {
public:
    virtual ~OutputWatch() = default;
    // A temporary file now stands at path: a handler that ends the process
    // unlinks it, until it is gone.
    virtual void TemporaryNamed(const std::string& path) = 0;
    virtual void TemporaryGone(const std::string& path) = 0;
    // Every staged output now bears its name.
    virtual void Committed() = 0;
};

// An exclusive advisory lock (flock) on a folder. Whoever names a run's
// outputs there, or writes reports in place there, holds it, so that two runs
// never leave a pair of reports from one and the other. Holds nothing when the
// folder cannot be opened: whatever is written there will fail on its own.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&&) = delete;
    FolderLock(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

// The folder that holds path ("." for a bare name).
std::filesystem::path FolderOf(const std::filesystem::path& path);

// Locks the folders that hold paths, each once however it is named, in one
// order for every caller, so that two runs locking the same folders never
// wait for each other in turn.
std::vector<FolderLock> LockFoldersOf(const std::vector<std::filesystem::path>& paths);

// Whether files may be created without a name (O_TMPFILE) where the file
// system offers them. Refused, every output takes a temporary name, as on a
// file system without them.
enum class UnnamedFiles { Allowed, Refused };

// The outputs of one run. Each is written to a file of its own that takes its
// target's name only when Commit names them all together, so that until then
// every earlier output stays as it was, and a run that fails or is stopped
// leaves no part of its outputs behind.
class OutputCommit {
public:
    explicit OutputCommit(OutputWatch* watch = nullptr, UnnamedFiles unnamed = UnnamedFiles::Allowed);
    // Closes whatever was staged and not named, and removes its temporary names.
    ~OutputCommit();
    OutputCommit(const OutputCommit&) = delete;
    OutputCommit& operator=(const OutputCommit&) = delete;

    // A file that will replace target: unnamed in target's folder where the
    // file system allows and /proc can name it later, otherwise under a name
    // of the run's own (owned_names.h) beside target. It
    // has target's permissions if target is a file, else a new file's.
    // Returns its descriptor, which stays this commit's, or -1 with errno set.
    int Stage(const std::filesystem::path& target);
    // Closes the file staged as fd and forgets it, as if never staged.
    void Discard(int fd);

    // Names every staged file, with every signal held back until the last name
    // is given and each target's folder locked, all or none: every target is
    // checked before the first is replaced, and each file replaced is kept
    // under a name of the run's own until the last target has its new file,
    // so that a name that cannot be given puts back every file replaced.
    // Removes first what runs killed outright left in those folders. False,
    // with one line saying why, when not every name could be given.
    bool Commit(std::string& failure);
    bool IsEmpty() const { return staged_.empty(); }

private:
    struct Staged {
        std::filesystem::path target;
        int fd;
        // Empty while the file has no name; once its target is replaced, the
        // name under which the file replaced is kept.
        std::string temporary;
        bool replaces = false;  // a file stood at target when the commit began
    };
    bool CheckTargets(std::string& failure);
    bool NameAll(std::string& failure);
    bool Replace(Staged& staged);
    bool ReplaceAll(std::string& failure);
    // Puts back the files the first replaced staged files replaced; what
    // the failure's line says of them.
    std::string Restore(std::size_t replaced);
    // Gives up staged's temporary name, unlinked or not.
    void Forget(Staged& staged, bool unlink);
    void Close(Staged& staged);

    OutputWatch* watch_;
    UnnamedFiles unnamed_;
    std::vector<Staged> staged_;
};

}  // namespace nexmar
