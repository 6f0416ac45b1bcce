#include "cli/json_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/output_place.h"
#include "cli/output_plan.h"
#include "core/quoted_path.h"

namespace nexmar {

namespace {

std::string Reason(const std::string& path, int error)
{
    return "--json: cannot write " + QuotedPath(path) + ": " + std::strerror(error);
}

// A buffered stream over descriptor, which it then owns; none, with the
// descriptor closed and errno set, when it cannot be made.
std::FILE* StreamOver(int descriptor)
{
    std::FILE* file = descriptor >= 0 ? ::fdopen(descriptor, "w") : nullptr;
    if (file == nullptr && descriptor >= 0) {
        const int cause = errno;
        ::close(descriptor);
        errno = cause;
    }
    return file;
}

}  // namespace

JsonOutput::JsonOutput(std::FILE* file, std::string path, bool owned, bool staged)
    : file_(file), path_(std::move(path)), owned_(owned), staged_(staged)
{
}

std::unique_ptr<JsonOutput> JsonOutput::Open(const std::string& path, std::FILE* standardOutput,
                                             OutputCommit& commit, std::string& error)
{
    const OutputPlace place = PlaceOf(path);
    if (place.kind == OutputPlace::Kind::StandardOutput) {
        return std::unique_ptr<JsonOutput>(new JsonOutput(standardOutput, "standard output", false, false));
    }
    if (place.IsStream()) {
        std::FILE* file = StreamOver(OpenInPlace(place, path));
        if (file == nullptr) {
            error = Reason(path, errno);
            return nullptr;
        }
        return std::unique_ptr<JsonOutput>(new JsonOutput(file, path, true, false));
    }
    namespace fs = std::filesystem;
    // A link is followed, so that the file it names is replaced and the link stays.
    const fs::path destination = FollowLinks(path);
    const int staged = commit.Stage(destination);
    // The stream has a descriptor of its own: the staged one stays the commit's.
    std::FILE* file = StreamOver(staged >= 0 ? ::dup(staged) : -1);
    if (file == nullptr) {
        error = Reason(path, errno);
        if (staged >= 0) {
            commit.Discard(staged);
        }
        return nullptr;
    }
    return std::unique_ptr<JsonOutput>(new JsonOutput(file, destination.string(), true, true));
}

JsonOutput::~JsonOutput()
{
    if (owned_ && file_ != nullptr) {
        std::fclose(file_);
    }
}

void JsonOutput::Write(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), file_);
}

bool JsonOutput::Finish(std::string& error)
{
    bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    int reason = errno;
    if (written && staged_ && ::fsync(::fileno(file_)) != 0) {
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
    if (!written) {
        error = Reason(path_, reason == 0 ? EIO : reason);
    }
    return written;
}

}  // namespace nexmar
