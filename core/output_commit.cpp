#include "core/output_commit.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

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

// What a newly created file gets: everything the umask allows, but never
// execution.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A name beside target for its staged file: a dot, target's name, a dot and suffix.
std::filesystem::path NameBeside(const std::filesystem::path& target, const std::string& suffix)
{
    std::string name(".");
    name.append(target.filename().string()).append(".").append(suffix);
    return FolderOf(target) / name;
}

std::string Listed(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names) {
        list.append(list.empty() ? "" : ", ").append(name);
    }
    return list;
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
    const bool replacesFile = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    const mode_t mode = replacesFile ? existing.st_mode & 07777 : NewFileMode();
    const std::filesystem::path folder = FolderOf(target);
    const SignalsHeld held;  // a temporary name is never left unwatched
    Staged staged{target, -1, {}};
    if (unnamed_ == UnnamedFiles::Allowed) {
        staged.fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        // EOPNOTSUPP: the file system has no unnamed files; EISDIR: the kernel
        // does not know them.
        if (staged.fd < 0 && errno != EOPNOTSUPP && errno != EISDIR) {
            return -1;
        }
    }
    if (staged.fd < 0) {
        std::string pattern = NameBeside(target, "XXXXXX").string();
        staged.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (staged.fd < 0) {
            return -1;
        }
        staged.temporary = std::move(pattern);
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
    if (!staged.temporary.empty()) {
        ::unlink(staged.temporary.c_str());
        if (watch_ != nullptr) {
            watch_->TemporaryGone(staged.temporary);
        }
        staged.temporary.clear();
    }
    if (staged.fd >= 0) {
        ::close(staged.fd);
        staged.fd = -1;
    }
}

bool OutputCommit::Commit(std::string& failure)
{
    const SignalsHeld held;
    std::vector<std::filesystem::path> targets;
    for (const Staged& staged : staged_) {
        targets.push_back(staged.target);
    }
    const std::vector<FolderLock> locks = LockFoldersOf(targets);
    std::vector<std::string> written;
    const bool named = NameAll(written, failure);
    if (named && watch_ != nullptr) {
        watch_->Committed();
    }
    for (Staged& staged : staged_) {
        Close(staged);
    }
    staged_.clear();
    return named;
}

bool OutputCommit::NameAll(std::vector<std::string>& written, std::string& failure)
{
    // An unnamed file first takes a name of this process beside its target,
    // every one before any target is replaced: a link that fails (a full
    // folder, a file system that refuses it) then leaves every target as it
    // was.
    for (Staged& staged : staged_) {
        if (!staged.temporary.empty()) {
            continue;
        }
        const std::string link = NameBeside(staged.target, std::to_string(::getpid())).string();
        const std::string self = "/proc/self/fd/" + std::to_string(staged.fd);
        ::unlink(link.c_str());  // left by a process of the same id that was killed here
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, link.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            failure = "could not write '" + staged.target.string() + "': " + std::strerror(errno) +
                      "; no output was replaced";
            return false;
        }
        staged.temporary = link;
        if (watch_ != nullptr) {
            watch_->TemporaryNamed(link);
        }
    }
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        Staged& staged = staged_[i];
        if (::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
            const int cause = errno;
            std::vector<std::string> left;
            for (std::size_t j = i; j < staged_.size(); ++j) {
                left.push_back(staged_[j].target.string());
            }
            failure = "could not write '" + staged.target.string() + "': " + std::strerror(cause);
            failure += written.empty() ? "" : "; replaced: " + Listed(written);
            failure += "; left as they were: " + Listed(left);
            return false;
        }
        if (watch_ != nullptr) {
            watch_->TemporaryGone(staged.temporary);
        }
        staged.temporary.clear();
        written.push_back(staged.target.string());
    }
    return true;
}

}  // namespace nexmar
