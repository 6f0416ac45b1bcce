#pragma once

#include <string>

namespace nexmar {

// printf into a std::string of exactly the needed length: labels and rows keep
// their printf-style literals beside their use, with no fixed-size buffer.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace nexmar
