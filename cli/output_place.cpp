#include "cli/output_place.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>

namespace nexmar {

namespace {

namespace fs = std::filesystem;

// The folders through which a process names its own descriptors.
constexpr const char* kDescriptorFolders[] = {"/dev/fd", "/proc/self/fd", "/proc/thread-self/fd"};

bool IsDescriptorFolder(const fs::path& folder)
{
    std::error_code error;
    const fs::path resolved = fs::canonical(folder, error);
    for (const char* own : kDescriptorFolders) {
        if (folder == own) {
            return true;
        }
        std::error_code ownError;
        const fs::path ownResolved = fs::canonical(own, ownError);
        if (!error && !ownError && resolved == ownResolved) {
            return true;
        }
    }
    return false;
}

// The descriptor that path names by itself, not through a link: a number in
// one of the folders above, however the folder is reached.
std::optional<int> DescriptorNamed(const fs::path& path)
{
    const std::string name = path.filename().string();
    int descriptor = -1;
    const char* end = name.data() + name.size();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos ||
        std::from_chars(name.data(), end, descriptor).ptr != end) {
        return std::nullopt;
    }
    std::error_code error;
    const fs::path folder = fs::absolute(path, error).parent_path().lexically_normal();
    if (error || !IsDescriptorFolder(folder)) {
        return std::nullopt;
    }
    return descriptor;
}

int ConnectTo(const fs::path& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& name = path.native();
    if (name.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int cause = errno;
        ::close(fd);
        errno = cause;
        return -1;
    }
    return fd;
}

}  // namespace

OutputPlace PlaceOf(const fs::path& path)
{
    if (path == "-") {
        return {OutputPlace::Kind::StandardOutput};
    }
    fs::path current = path;
    std::error_code error;
    for (int depth = 0; depth < 40; ++depth) {
        if (const std::optional<int> descriptor = DescriptorNamed(current)) {
            if (*descriptor == STDOUT_FILENO) {
                return {OutputPlace::Kind::StandardOutput};
            }
            return {OutputPlace::Kind::Descriptor, *descriptor};
        }
        if (!fs::is_symlink(fs::symlink_status(current, error))) {
            break;
        }
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            break;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return {OutputPlace::Kind::Stream};
    }
    return {OutputPlace::Kind::File};
}

int OpenInPlace(const OutputPlace& place, const fs::path& path)
{
    if (place.kind == OutputPlace::Kind::Descriptor) {
        return ::fcntl(place.descriptor, F_DUPFD_CLOEXEC, 0);
    }
    std::error_code error;
    if (fs::is_socket(fs::status(path, error))) {
        return ConnectTo(path);
    }
    return ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
}

}  // namespace nexmar
