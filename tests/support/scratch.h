#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/notifier.h"

// What every test, property run, fuzz target and benchmark needs to run the
// engine into files of its own; free of any test framework.
namespace nexmar::testing {

class RecordingNotifier final : public Notifier {
public:
    void Notify(const std::string& message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

// A fresh directory for report files, removed afterwards. It lies in memory
// where the system offers /dev/shm, so thousands of runs do not wait on a disk.
class TempDir {
public:
    TempDir()
    {
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "nexmar-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// One scratch directory for the whole process, made at the first call and
// removed at exit: for fuzz targets, whose every input runs into it.
inline const std::filesystem::path& ProcessTempDir()
{
    static const TempDir dir;
    return dir.path();
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace nexmar::testing
