#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "core/output_commit.h"

namespace nexmar {

// Where --json writes: standard output for "-" or a name of it, a stream as
// it stands (see OutputPlace), otherwise a file staged by
// the run's OutputCommit, which takes its name with the run's other outputs
// once all are complete, so no reader ever sees half a document and a failed
// run leaves the earlier file as it was.
class JsonOutput {
public:
    // Returns nothing and sets error when the file cannot be created.
    static std::unique_ptr<JsonOutput> Open(const std::string& path, std::FILE* standardOutput,
                                            OutputCommit& commit, std::string& error);
    ~JsonOutput();
    JsonOutput(const JsonOutput&) = delete;
    JsonOutput& operator=(const JsonOutput&) = delete;

    void Write(std::string_view text);
    // Flushes the document to its file (to the disk, when staged); false and
    // error when any write failed.
    bool Finish(std::string& error);

private:
    JsonOutput(std::FILE* file, std::string path, bool owned, bool staged);

    std::FILE* file_;
    std::string path_;
    bool owned_;
    bool staged_;
};

}  // namespace nexmar
