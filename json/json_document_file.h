#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "json/private/json_parser.h"

namespace nexmar {

// The most bytes standard input may hand --from-json: it is kept in a
// temporary file to be read twice, so its size is bounded as a file's is
// by the disk, well above what the largest run writes (1,000,000 High
// systems with census: about 1.6 GB).
inline constexpr std::uint64_t kMaxStandardInputBytes = std::uint64_t{4} << 30;

// A JSON document opened once, as a regular file, and read in passes from
// its first byte. Each pass keeps a digest of the bytes it read, so that a
// second pass can tell whether it read what the first one did: a file
// written to while it is read is caught however it changed.
class JsonDocumentFile {
public:
    // The file at path; "-" is standard input, kept first in a nameless
    // temporary file, up to kMaxStandardInputBytes, and no further than its
    // first byte when that cannot begin a run's document. Anything but a regular file (a directory, a FIFO, a
    // terminal, a device) is refused: nothing and a one-line error.
    static std::unique_ptr<JsonDocumentFile> Open(const std::string& path, std::string& error);
    ~JsonDocumentFile();
    JsonDocumentFile(const JsonDocumentFile&) = delete;
    JsonDocumentFile& operator=(const JsonDocumentFile&) = delete;

    // One reading of the whole file.
    class Pass final : public JsonByteSource {
    public:
        explicit Pass(const JsonDocumentFile& file);
        std::size_t Read(char* buffer, std::size_t size) override;
        // The errno of a failed read, or 0.
        int error() const { return error_; }
        // Of the bytes read so far.
        std::uint64_t digest() const { return digest_; }
        std::uint64_t size() const { return offset_; }

    private:
        int fd_;
        std::uint64_t offset_ = 0;
        std::uint64_t digest_;
        int error_ = 0;
    };

private:
    JsonDocumentFile(int fd, std::uint64_t key) : fd_(fd), key_(key) {}

    int fd_;
    std::uint64_t key_;  // makes the digest unforeseeable to whoever writes the file
};

}  // namespace nexmar
