#include "query/query_quote.h"

#include "core/utf8.h"

namespace nexmar {

// Text of the query shown in a message: one line of valid UTF-8, cut after
// a few dozen characters, whatever bytes the text holds; a control
// character or a byte of no character shown by its value.
std::string Quote(std::string_view text, char quote)
{
    constexpr int kLongest = 40;
    std::string shown(1, quote);
    std::size_t at = 0;
    for (int characters = 0; at < text.size() && characters < kLongest; ++characters) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = Utf8Length(text, at);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            constexpr char kDigits[] = "0123456789abcdef";
            shown.append("\\x").append(1, kDigits[byte >> 4]).append(1, kDigits[byte & 0xF]);
            ++at;
        } else {
            shown.append(text.substr(at, length));
            at += length;
        }
    }
    return shown.append(at < text.size() ? "..." : "").append(1, quote);
}

std::string Unquoted(std::string_view text)
{
    const std::string quoted = Quote(text);
    return quoted.substr(1, quoted.size() - 2);
}

}  // namespace nexmar
