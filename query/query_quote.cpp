#include "query/query_quote.h"

#include <algorithm>

namespace nexmar {

namespace {

// The length of the valid UTF-8 character at the start of text, or 0.
std::size_t Utf8Length(std::string_view text)
{
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5                  ? 4
                                                                              : 0;
    if (length == 0 || length > text.size()) {
        return 0;
    }
    for (std::size_t at = 1; at < length; ++at) {
        if ((byte(at) & 0xC0) != 0x80) {
            return 0;
        }
    }
    const unsigned second = byte(std::min<std::size_t>(1, length - 1));
    // Neither an overlong form, nor a surrogate, nor beyond U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90)) {
        return 0;
    }
    return length;
}

}  // namespace

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
        const std::size_t length = Utf8Length(text.substr(at));
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
