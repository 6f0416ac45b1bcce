#include "cli/file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "cli/output_plan.h"
#include "core/block_writer.h"

namespace nexmar {

FileOutput::~FileOutput()
{
    if (!staged_ && fd_ >= 0) {
        ::close(fd_);
    }
}

bool FileOutput::Open(const std::filesystem::path& path, OutputCommit& commit)
{
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::status(path, ignored);
    staged_ = !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
    // A link is followed, so that the file it names is replaced and the link stays.
    fd_ = staged_ ? commit.Stage(FollowLinks(path)) : ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return fd_ >= 0;
}

void FileOutput::Write(std::string_view bytes)
{
    if (failure_ == 0 && !WriteAll(fd_, bytes)) {
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
