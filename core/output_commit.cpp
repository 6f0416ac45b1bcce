#include "core/output_commit.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_set>
#include <utility>

#include "core/owned_names.h"
#include "core/quoted_path.h"

namespace nexmar {

namespace {

// Holds back every signal on this thread for as long as it lives; a signal
// that comes meanwhile is handled once it ends.
class SignalsHeld {
public:
    SignalsHeld()
    {
        sigset_t all;
        ::sigfillset(&all);
        ::pthread_sigmask(SIG_BLOCK, &all, &before_);
    }
    ~SignalsHeld()
    {
        const int error = errno;
        ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
        errno = error;
    }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t before_;
};

// The process's umask, read before main starts, while one thread runs: it
// can only be read by setting it, and another thread that created a file
// between the two calls would create it with none.
const mode_t kUmaskAtStart = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

// What a newly created file gets: everything the umask allows, but never
// execution.
mode_t NewFileMode()
{
    return 0666 & ~kUmaskAtStart;
}

// A failure that leaves every target as it was, in one line.
std::string NoneReplaced(const std::filesystem::path& target, const std::string& cause)
{
    return "could not write " + QuotedPath(target.string()) + ": " + cause + "; no file was replaced";
}

// What stands at a target that no output may replace.
const char* NotReplaceable(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return "it is a directory";
    }
    if (S_ISLNK(mode)) {
        return "it is a symbolic link";
    }
    return "it is not a regular file";
}

// Moves from to to, where to is the file the caller saw there (exchange:
// from then holds it) or nothing (to must stay free until then).
int Swap(const std::string& from, const std::filesystem::path& to, bool exchange)
{
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), exchange ? RENAME_EXCHANGE : RENAME_NOREPLACE);
}

}  // namespace

std::filesystem::path FolderOf(const std::filesystem::path& path)
{
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

FolderLock::FolderLock(const std::filesystem::path& folder)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0) {
        ::close(fd_);  // which releases the lock
    }
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

std::vector<FolderLock> LockFoldersOf(const std::vector<std::filesystem::path>& paths)
{
    std::vector<std::pair<std::pair<dev_t, ino_t>, std::filesystem::path>> folders;
    for (const std::filesystem::path& path : paths) {
        struct stat status {};
        const std::filesystem::path folder = FolderOf(path);
        if (::stat(folder.c_str(), &status) == 0) {
            folders.push_back({{status.st_dev, status.st_ino}, folder});
        }
    }
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  folders.end());
    std::vector<FolderLock> locks;
    for (const auto& folder : folders) {
        locks.emplace_back(folder.second);
    }
    return locks;
}

OutputCommit::OutputCommit(OutputWatch* watch, UnnamedFiles unnamed) : watch_(watch), unnamed_(unnamed) {}

OutputCommit::~OutputCommit()
{
    const SignalsHeld held;
    for (Staged& staged : staged_) {
        Close(staged);
    }
}

int OutputCommit::Stage(const std::filesystem::path& target)
{
    struct stat existing {};
    const bool replacesFile = ::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    const mode_t mode = replacesFile ? existing.st_mode & 07777 : NewFileMode();
    const std::filesystem::path folder = FolderOf(target);
    const SignalsHeld held;  // a temporary name is never left unwatched
    Staged staged{target, -1, {}};
    if (unnamed_ == UnnamedFiles::Allowed && UnnamedFilesCanBeNamed()) {
        staged.fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        // EOPNOTSUPP: the file system has no unnamed files; EISDIR: the kernel
        // does not know them.
        if (staged.fd < 0 && errno != EOPNOTSUPP && errno != EISDIR) {
            return -1;
        }
    }
    if (staged.fd < 0) {
        staged.fd = CreateOwnedFile(folder, staged.temporary);
        if (staged.fd < 0) {
            return -1;
        }
        // Held while the file is staged, so that no other run takes the
        // name for a leftover (a run that looks between the two calls makes
        // this one fail its commit, never lose a file).
        ::flock(staged.fd, LOCK_EX);
        if (watch_ != nullptr) {
            watch_->TemporaryNamed(staged.temporary);
        }
    }
    if (::fchmod(staged.fd, mode) != 0) {
        Close(staged);
        return -1;
    }
    staged_.push_back(std::move(staged));
    return staged_.back().fd;
}

void OutputCommit::Discard(int fd)
{
    const auto found = std::find_if(staged_.begin(), staged_.end(), [fd](const Staged& s) { return s.fd == fd; });
    if (found != staged_.end()) {
        const SignalsHeld held;
        Close(*found);
        staged_.erase(found);
    }
}

void OutputCommit::Close(Staged& staged)
{
    Forget(staged, true);
    if (staged.fd >= 0) {
        ::close(staged.fd);
        staged.fd = -1;
    }
}

void OutputCommit::Forget(Staged& staged, bool unlink)
{
    if (!staged.temporary.empty()) {
        if (unlink) {
            ::unlink(staged.temporary.c_str());
        }
        if (watch_ != nullptr) {
            watch_->TemporaryGone(staged.temporary);
        }
        staged.temporary.clear();
    }
}

bool OutputCommit::Commit(std::string& failure)
{
    const SignalsHeld held;
    std::vector<std::filesystem::path> targets;
    std::unordered_set<std::string> folders;
    for (const Staged& staged : staged_) {
        targets.push_back(staged.target);
        folders.insert(FolderOf(staged.target).string());
    }
    const std::vector<FolderLock> locks = LockFoldersOf(targets);
    for (const std::string& folder : folders) {
        RemoveLeftovers(folder);
    }
    const bool named = CheckTargets(failure) && NameAll(failure) && ReplaceAll(failure);
    if (named && watch_ != nullptr) {
        watch_->Committed();
    }
    // Which also removes the files replaced, kept under the staged files' names.
    for (Staged& staged : staged_) {
        Close(staged);
    }
    staged_.clear();
    return named;
}

bool OutputCommit::CheckTargets(std::string& failure)
{
    for (Staged& staged : staged_) {
        struct stat status {};
        staged.replaces = ::lstat(staged.target.c_str(), &status) == 0;
        if (!staged.replaces && errno != ENOENT) {
            failure = NoneReplaced(staged.target, std::strerror(errno));
            return false;
        }
        if (staged.replaces && !S_ISREG(status.st_mode)) {
            failure = NoneReplaced(staged.target, NotReplaceable(status.st_mode));
            return false;
        }
    }
    return true;
}

bool OutputCommit::NameAll(std::string& failure)
{
    // An unnamed file first takes a name of its own beside its target,
    // every one before any target is replaced: a link that fails (a full
    // folder, a file system that refuses it) then leaves every target as it
    // was.
    for (Staged& staged : staged_) {
        if (!staged.temporary.empty()) {
            continue;
        }
        if (!LinkOwnedName(staged.fd, FolderOf(staged.target), staged.temporary)) {
            failure = NoneReplaced(staged.target, std::strerror(errno));
            return false;
        }
        if (watch_ != nullptr) {
            watch_->TemporaryNamed(staged.temporary);
        }
    }
    return true;
}

bool OutputCommit::Replace(Staged& staged)
{
    if (Swap(staged.temporary, staged.target, staged.replaces) == 0) {
        // Exchanged, the staged file's name now holds the file replaced.
        if (!staged.replaces) {
            Forget(staged, false);
        }
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system that neither exchanges nor refuses to replace: the
    // replaced file is kept under a second name first.
    if (!staged.replaces) {
        if (::link(staged.temporary.c_str(), staged.target.c_str()) != 0) {
            return false;
        }
        Forget(staged, true);
        return true;
    }
    std::string kept;
    if (!LinkOwnedCopy(staged.target, kept)) {
        return false;
    }
    if (watch_ != nullptr) {
        watch_->TemporaryNamed(kept);
    }
    if (::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
        const int cause = errno;
        ::unlink(kept.c_str());
        watch_ != nullptr ? watch_->TemporaryGone(kept) : void();
        errno = cause;
        return false;
    }
    Forget(staged, false);
    staged.temporary = kept;
    return true;
}

bool OutputCommit::ReplaceAll(std::string& failure)
{
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        if (!Replace(staged_[i])) {
            const std::string cause = std::strerror(errno);
            failure = "could not write " + QuotedPath(staged_[i].target.string()) + ": " + cause + Restore(i);
            return false;
        }
    }
    return true;
}

std::string OutputCommit::Restore(std::size_t replaced)
{
    std::size_t lost = 0;
    std::string first;
    for (std::size_t i = replaced; i-- > 0;) {
        Staged& staged = staged_[i];
        // Where the file replaced is kept, it takes its name back; a new file stands where none did.
        const bool back = staged.replaces ? ::rename(staged.temporary.c_str(), staged.target.c_str()) == 0
                                          : ::unlink(staged.target.c_str()) == 0;
        if (!back && lost++ == 0) {
            first = QuotedPath(staged.target.string());
            first += staged.replaces ? " (kept as " + QuotedPath(staged.temporary) + ")" : "";
        }
        Forget(staged, false);  // a replaced file not put back stays where it is kept
    }
    if (lost == 0) {
        return "; no file was replaced";
    }
    return "; " + std::to_string(lost) + " of the files replaced could not be put back, " + first + " among them";
}

}  // namespace nexmar
