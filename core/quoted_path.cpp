#include "core/quoted_path.h"

namespace nexmar {

namespace {

// Bytes kept of a long path's start; the rest of the bound goes to its end.
constexpr std::size_t kKeptStart = 24;
constexpr std::string_view kElision = "...";

bool ContinuesACharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::string QuotedPath(std::string_view path)
{
    std::string quoted(1, '\'');
    if (path.size() <= kLongestQuotedPath) {
        quoted.append(path);
    } else {
        std::size_t startEnd = kKeptStart;
        while (startEnd > 0 && ContinuesACharacter(path[startEnd])) {
            --startEnd;
        }
        std::size_t endStart = path.size() - (kLongestQuotedPath - kKeptStart - kElision.size());
        while (endStart < path.size() && ContinuesACharacter(path[endStart])) {
            ++endStart;
        }
        quoted.append(path.substr(0, startEnd)).append(kElision).append(path.substr(endStart));
    }
    return quoted += '\'';
}

}  // namespace nexmar
