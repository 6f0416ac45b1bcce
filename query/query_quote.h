#pragma once

#include <string>
#include <string_view>

namespace nexmar {

// Text of a query shown in a message: one line of valid UTF-8 between
// quotes, cut after a few dozen characters, whatever bytes the text holds.
std::string Quote(std::string_view text, char quote = '\'');

// As Quote, without the quotes, for a value that begins a message.
std::string Unquoted(std::string_view text);

}  // namespace nexmar
