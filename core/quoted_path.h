#pragma once

#include <string>
#include <string_view>

namespace nexmar {

// The longest path a message quotes whole, in bytes.
inline constexpr std::size_t kLongestQuotedPath = 80;

// path between single quotes for a one-line message. A path longer than
// kLongestQuotedPath keeps its start and its end, where its file's name is,
// with "..." between them, cut only between characters: the line stays one
// readable line whatever the path's length.
std::string QuotedPath(std::string_view path);

}  // namespace nexmar
