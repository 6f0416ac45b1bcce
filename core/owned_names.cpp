#include "core/owned_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

namespace nexmar {

namespace {

constexpr std::size_t kPrefixLength = 8;  // ".nexmar-"
constexpr std::size_t kDigits = 16;
// Tries before giving up on names that all stand already: with 64 random
// bits, more than one try means someone is taking names as they come.
constexpr int kTries = 16;

std::uint64_t RandomBits()
{
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof bits)) {
        return bits;
    }
    std::random_device device;
    return (std::uint64_t{device()} << 32) | device();
}

std::string FreshName(const std::filesystem::path& folder)
{
    char name[kPrefixLength + kDigits + 1];
    std::snprintf(name, sizeof name, "%s%016llx", kOwnedNamePrefix, static_cast<unsigned long long>(RandomBits()));
    return (folder / name).string();
}

// Calls take(path) with fresh owned names in folder while the name is taken
// (EEXIST); what take last returned.
template <class Take>
int UnderFreshName(const std::filesystem::path& folder, std::string& path, Take take)
{
    int result = -1;
    for (int tries = 0; tries < kTries; ++tries) {
        path = FreshName(folder);
        result = take(path);
        if (result >= 0 || errno != EEXIST) {
            break;
        }
    }
    if (result < 0) {
        path.clear();
    }
    return result;
}

// The owned file name in folder (open as dir) if no process holds it and it
// is still the file opened; then it is removed.
void RemoveIfLeft(int dir, const char* name)
{
    const int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstatat(dir, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
        ::unlinkat(dir, name, 0);
    }
    ::close(fd);
}

}  // namespace

bool IsOwnedName(const std::string& name)
{
    if (name.size() != kPrefixLength + kDigits || name.compare(0, kPrefixLength, kOwnedNamePrefix) != 0) {
        return false;
    }
    for (std::size_t at = kPrefixLength; at < name.size(); ++at) {
        const char c = name[at];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

int CreateOwnedFile(const std::filesystem::path& folder, std::string& path)
{
    return UnderFreshName(folder, path, [](const std::string& name) {
        return ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    });
}

bool LinkOwnedName(int fd, const std::filesystem::path& folder, std::string& path)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return UnderFreshName(folder, path, [&self](const std::string& name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    }) == 0;
}

bool LinkOwnedCopy(const std::filesystem::path& path, std::string& owned)
{
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    return UnderFreshName(folder, owned, [&path](const std::string& name) {
        return ::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), 0);
    }) == 0;
}

bool UnnamedFilesCanBeNamed()
{
    static const bool canBeNamed = ::access("/proc/self/fd", X_OK) == 0;
    return canBeNamed;
}

void RemoveLeftovers(const std::filesystem::path& folder)
{
    DIR* const listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const int dir = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        // A cheap look at the first letters before the whole name is checked.
        if (entry->d_name[0] == '.' && entry->d_name[1] == 'n' && IsOwnedName(entry->d_name)) {
            RemoveIfLeft(dir, entry->d_name);
        }
    }
    ::closedir(listing);
}

}  // namespace nexmar
