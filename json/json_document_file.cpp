#include "json/json_document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

namespace nexmar {

namespace {

// What a file that cannot be read as a document is, for the message.
const char* NotRegular(int fd, mode_t mode)
{
    if (S_ISDIR(mode)) {
        return "a directory";
    }
    if (S_ISFIFO(mode)) {
        return "a pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (::isatty(fd)) {
        return "a terminal";
    }
    return "a device";
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// The first byte of the document in bytes, past white space; -1 when
// there is none yet.
int FirstByte(const char* bytes, std::size_t size)
{
    for (std::size_t at = 0; at < size; ++at) {
        const char c = bytes[at];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
            return static_cast<unsigned char>(c);
        }
    }
    return -1;
}

// Standard input, copied into a file that has no name and vanishes with
// its descriptor; -1 and errno on failure. Its copy stops at the first
// byte that cannot begin a run's document, which the reading then refuses
// as it refuses such a file, and past kMaxStandardInputBytes (EFBIG).
int SpoolStandardInput()
{
    const char* directory = std::getenv("TMPDIR");
    if (directory == nullptr || *directory == '\0') {
        directory = "/tmp";
    }
    int fd = ::open(directory, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::string name = std::string(directory) + "/nexmar-json-XXXXXX";
        fd = ::mkstemp(name.data());
        if (fd >= 0) {
            ::unlink(name.c_str());
        }
    }
    if (fd < 0) {
        return -1;
    }
    char buffer[1 << 16];
    std::uint64_t spooled = 0;
    for (int first = -1;;) {
        const ssize_t got = first == '{' || first < 0 ? ::read(STDIN_FILENO, buffer, sizeof buffer) : 0;
        if (got == 0) {
            return fd;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        spooled += got > 0 ? static_cast<std::uint64_t>(got) : 0;
        if (got > 0 && spooled > kMaxStandardInputBytes) {
            errno = EFBIG;
        }
        if (got < 0 || spooled > kMaxStandardInputBytes || !WriteAll(fd, buffer, static_cast<std::size_t>(got))) {
            const int cause = errno;
            ::close(fd);
            errno = cause;
            return -1;
        }
        first = first < 0 ? FirstByte(buffer, static_cast<std::size_t>(got)) : first;
    }
}

std::uint64_t RandomKey()
{
    std::random_device random;
    return (std::uint64_t{random()} << 32) | std::uint64_t{random()};
}

}  // namespace

std::unique_ptr<JsonDocumentFile> JsonDocumentFile::Open(const std::string& path, std::string& error)
{
    const bool standardInput = path == "-";
    const std::string shown = standardInput ? "standard input" : "'" + path + "'";
    struct stat status {};
    if (standardInput) {
        if (::isatty(STDIN_FILENO)) {
            error = "standard input is a terminal; expected a JSON document piped in";
            return nullptr;
        }
        errno = 0;
        const int fd = SpoolStandardInput();
        if (fd < 0 && errno == EFBIG) {
            error = "standard input holds more than " + std::to_string(kMaxStandardInputBytes >> 30) +
                    " GiB; expected a JSON document of a run, which is smaller";
            return nullptr;
        }
        if (fd < 0) {
            error = "cannot keep standard input in a temporary file: " + std::string(std::strerror(errno));
            return nullptr;
        }
        return std::unique_ptr<JsonDocumentFile>(new JsonDocumentFile(fd, RandomKey()));
    }
    // Not blocking: opening a FIFO would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot read " + shown + ": " + std::strerror(errno);
        return nullptr;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = S_ISREG(status.st_mode) ? "cannot read " + shown + ": " + std::strerror(errno)
                                        : shown + " is " + NotRegular(fd, status.st_mode) + "; expected a JSON file";
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<JsonDocumentFile>(new JsonDocumentFile(fd, RandomKey()));
}

JsonDocumentFile::~JsonDocumentFile()
{
    ::close(fd_);
}

JsonDocumentFile::Pass::Pass(const JsonDocumentFile& file) : fd_(file.fd_), digest_(file.key_) {}

std::size_t JsonDocumentFile::Pass::Read(char* buffer, std::size_t size)
{
    // Whole chunks but at the end, so that both passes digest the same
    // bytes in the same steps.
    std::size_t filled = 0;
    while (filled < size && error_ == 0) {
        const ssize_t got = ::pread(fd_, buffer + filled, size - filled, static_cast<off_t>(offset_ + filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error_ = errno;
            break;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    offset_ += filled;
    std::size_t at = 0;
    for (; at + 8 <= filled; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, buffer + at, 8);
        digest_ = (digest_ ^ word) * 0x9E3779B97F4A7C15u;
        digest_ ^= digest_ >> 29;
    }
    for (; at < filled; ++at) {
        digest_ = (digest_ ^ static_cast<unsigned char>(buffer[at])) * 0x100000001B3u;
    }
    return error_ == 0 ? filled : 0;
}

}  // namespace nexmar
