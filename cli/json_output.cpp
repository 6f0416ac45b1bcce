#include "cli/json_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace nexmar {

namespace {

std::string Reason(const std::string& path, int error)
{
    return "--json: cannot write '" + path + "': " + std::strerror(error);
}

// What a newly created file would get: everything the umask allows, but
// never execution.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A link is followed, even to a file yet to be made, so that the file it
// names is replaced and the link stays.
std::string FollowLinks(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path current = path;
    std::error_code error;
    for (int depth = 0; depth < 40 && fs::is_symlink(fs::symlink_status(current, error)); ++depth) {
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            break;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current.string();
}

}  // namespace

JsonOutput::JsonOutput(std::FILE* file, std::string path, std::string temporaryPath)
    : file_(file), path_(std::move(path)), temporaryPath_(std::move(temporaryPath)), owned_(true)
{
}

std::unique_ptr<JsonOutput> JsonOutput::Open(const std::string& path, std::FILE* standardOutput, std::string& error)
{
    if (path == "-") {
        std::unique_ptr<JsonOutput> output(new JsonOutput(standardOutput, "standard output", {}));
        output->owned_ = false;
        return output;
    }
    namespace fs = std::filesystem;
    std::error_code ignored;
    const fs::file_status status = fs::status(path, ignored);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        std::FILE* file = std::fopen(path.c_str(), "w");
        if (file == nullptr) {
            error = Reason(path, errno);
            return nullptr;
        }
        return std::unique_ptr<JsonOutput>(new JsonOutput(file, path, {}));
    }
    const std::string destination = FollowLinks(path);
    std::string temporary = destination + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        error = Reason(path, errno);
        return nullptr;
    }
    struct stat existing {};
    const mode_t mode = ::stat(destination.c_str(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode();
    std::FILE* file = ::fchmod(descriptor, mode) == 0 ? ::fdopen(descriptor, "w") : nullptr;
    if (file == nullptr) {
        error = Reason(path, errno);
        ::close(descriptor);
        ::unlink(temporary.c_str());
        return nullptr;
    }
    return std::unique_ptr<JsonOutput>(new JsonOutput(file, destination, std::move(temporary)));
}

JsonOutput::~JsonOutput()
{
    if (owned_ && file_ != nullptr) {
        std::fclose(file_);
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
    }
}

void JsonOutput::Write(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), file_);
}

bool JsonOutput::Commit(std::string& error)
{
    bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    int reason = errno;
    if (written && !temporaryPath_.empty() && ::fsync(::fileno(file_)) != 0) {
        written = false;
        reason = errno;
    }
    if (owned_) {
        const bool closed = std::fclose(file_) == 0;
        if (written && !closed) {
            written = false;
            reason = errno;
        }
        file_ = nullptr;
    }
    if (written && !temporaryPath_.empty()) {
        if (::rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
            written = false;
            reason = errno;
        } else {
            temporaryPath_.clear();
        }
    }
    if (!written) {
        error = Reason(path_, reason == 0 ? EIO : reason);
    }
    return written;
}

}  // namespace nexmar
