#include "cli/file_output.h"

#include <unistd.h>

#include <cerrno>

#include "cli/output_place.h"
#include "cli/output_plan.h"
#include "core/block_writer.h"

namespace nexmar {

FileOutput::~FileOutput()
{
    if (!staged_ && fd_ >= 0) {
        ::close(fd_);
    }
}

bool FileOutput::Open(const std::filesystem::path& path, OutputCommit& commit, std::FILE* standardOutput)
{
    const OutputPlace place = PlaceOf(path);
    if (place.kind == OutputPlace::Kind::StandardOutput) {
        standardOutput_ = standardOutput;
        return true;
    }
    staged_ = !place.IsStream();
    // A link is followed, so that the file it names is replaced and the link stays.
    fd_ = staged_ ? commit.Stage(FollowLinks(path)) : OpenInPlace(place, path);
    return fd_ >= 0;
}

void FileOutput::Write(std::string_view bytes)
{
    if (failure_ != 0) {
        return;
    }
    errno = 0;
    const bool written = standardOutput_ != nullptr
                             ? std::fwrite(bytes.data(), 1, bytes.size(), standardOutput_) == bytes.size()
                             : WriteAll(fd_, bytes);
    if (!written) {
        failure_ = errno != 0 ? errno : EIO;
    }
}

bool FileOutput::Finish()
{
    if (!staged_ && fd_ >= 0) {
        if (::close(fd_) != 0 && failure_ == 0) {
            failure_ = errno;
        }
        fd_ = -1;
    }
    errno = failure_;
    return failure_ == 0;
}

}  // namespace nexmar
