#pragma once

#include <filesystem>
#include <string>

namespace nexmar {

// The names a run gives its own files beside its outputs: a staged output
// on its way to its target, or a replaced file kept until every target has
// its new file. Each is ".nexmar-" and 16 random hexadecimal digits, taken
// only where no file stands (never a name someone else may have made), and
// recognisable, so that the next run in the folder can remove what a run
// killed outright (SIGKILL) left behind.
inline constexpr const char* kOwnedNamePrefix = ".nexmar-";

// Whether name is of the form a run's own names take.
bool IsOwnedName(const std::string& name);

// Creates a new empty file under an owned name in folder, for reading and
// writing; its descriptor and its path, or -1 with errno set.
int CreateOwnedFile(const std::filesystem::path& folder, std::string& path);

// Gives the unnamed file (O_TMPFILE) fd an owned name in folder; false with
// errno set when it cannot be given.
bool LinkOwnedName(int fd, const std::filesystem::path& folder, std::string& path);

// Links the file at path under an owned name in its folder too; false with
// errno set.
bool LinkOwnedCopy(const std::filesystem::path& path, std::string& owned);

// Whether an unnamed file can be given a name through /proc/self/fd, which
// a chroot or a small container may lack. Asked once per process.
bool UnnamedFilesCanBeNamed();

// Removes from folder every owned name that no run holds any more. Called
// with folder locked (FolderLock): every run names its outputs under that
// lock, and a run holds each owned file it made before then (a staged
// output) with a lock of its own (flock), which a live process never lets go.
void RemoveLeftovers(const std::filesystem::path& folder);

}  // namespace nexmar
