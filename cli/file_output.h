#pragma once

#include <filesystem>
#include <string_view>

#include "core/output_commit.h"

namespace nexmar {

// A file a run writes beside the reports: staged in the run's commit when its
// path names a regular file or none yet, so that it takes its name with the
// run's other outputs or not at all; written in place when the path names a
// device or a pipe, which no name can replace.
class FileOutput {
public:
    FileOutput() = default;
    ~FileOutput();
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    // False, with errno set, when the file cannot be created or opened.
    bool Open(const std::filesystem::path& path, OutputCommit& commit);
    bool IsOpen() const { return fd_ >= 0; }
    // Writes all of bytes; after a failure, nothing more, and Finish fails.
    void Write(std::string_view bytes);
    // Whether every byte was written, and a file written in place closed;
    // when not, errno says why.
    bool Finish();

private:
    int fd_ = -1;  // the commit's when staged, else this output's
    bool staged_ = false;
    int failure_ = 0;  // the errno of the first failed write
};

}  // namespace nexmar
