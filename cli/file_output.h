#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "core/output_commit.h"

namespace nexmar {

// A file a run writes beside the reports: staged in the run's commit when its
// path names a regular file or none yet, so that it takes its name with the
// run's other outputs or not at all; written as it stands when the path
// names a stream (see OutputPlace), which no name can replace, and through
// the run's standard output when it names that.
class FileOutput {
public:
    FileOutput() = default;
    ~FileOutput();
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    // False, with errno set, when the file cannot be created or opened.
    bool Open(const std::filesystem::path& path, OutputCommit& commit, std::FILE* standardOutput);
    bool IsOpen() const { return fd_ >= 0 || standardOutput_ != nullptr; }
    // Writes all of bytes; after a failure, nothing more, and Finish fails.
    void Write(std::string_view bytes);
    // Whether every byte was written, and a file written in place closed;
    // when not, errno says why. Standard output is flushed with the run's.
    bool Finish();

private:
    int fd_ = -1;  // the commit's when staged, else this output's
    std::FILE* standardOutput_ = nullptr;
    bool staged_ = false;
    int failure_ = 0;  // the errno of the first failed write
};

}  // namespace nexmar
