#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace nexmar {

// Where --json writes: standard output for "-", otherwise a file that is
// written beside its final name and takes that name only once complete, so
// no reader ever sees half a document and a failed run leaves the earlier
// file as it was. A name that is not a regular file (a device, a pipe) is
// written in place.
class JsonOutput {
public:
    // Returns nothing and sets error when the file cannot be created.
    static std::unique_ptr<JsonOutput> Open(const std::string& path, std::FILE* standardOutput, std::string& error);
    ~JsonOutput();
    JsonOutput(const JsonOutput&) = delete;
    JsonOutput& operator=(const JsonOutput&) = delete;

    void Write(std::string_view text);
    // Flushes and puts the file in place; false and error when any write failed.
    bool Commit(std::string& error);

private:
    JsonOutput(std::FILE* file, std::string path, std::string temporaryPath);

    std::FILE* file_;
    std::string path_;
    std::string temporaryPath_;  // empty: file_ is the destination itself
    bool owned_;
};

}  // namespace nexmar
