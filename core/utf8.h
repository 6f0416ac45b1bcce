#pragma once

#include <cstddef>
#include <string_view>

namespace nexmar {

// What a well-formed UTF-8 sequence holds after the byte that opens it: how
// many bytes follow, and the range of the first of them (the later ones lie
// in 0x80 to 0xBF). Those ranges leave out overlong forms, surrogates and
// everything beyond U+10FFFF.
struct Utf8Lead {
    int following = -1;  // -1: the byte opens no sequence
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
};

constexpr Utf8Lead Utf8LeadOf(unsigned char lead)
{
    if (lead < 0x80) {
        return {0};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {1};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return {2, static_cast<unsigned char>(lead == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(lead == 0xED ? 0x9F : 0xBF)};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return {3, static_cast<unsigned char>(lead == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(lead == 0xF4 ? 0x8F : 0xBF)};
    }
    return {};
}

// The length of the well-formed UTF-8 sequence at text[at], or 0 when none
// starts there.
constexpr std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const Utf8Lead lead = Utf8LeadOf(static_cast<unsigned char>(text[at]));
    if (lead.following < 0) {
        return 0;
    }
    const auto count = static_cast<std::size_t>(lead.following);
    unsigned char low = lead.low;
    unsigned char high = lead.high;
    for (std::size_t i = 1; i <= count; ++i) {
        if (at + i >= text.size()) {
            return 0;
        }
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (byte < low || byte > high) {
            return 0;
        }
        low = 0x80;
        high = 0xBF;
    }
    return count + 1;
}

}  // namespace nexmar
