#include "gen/names/sector_edits.h"

namespace nexmar {

namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0: no
// overlong form, no surrogate, nothing beyond U+10FFFF.
std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t more = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i <= more; ++i) {
        if (at + i >= text.size() || byte(at + i) < low || byte(at + i) > high) {
            return 0;
        }
        low = 0x80;
        high = 0xBF;
    }
    return more + 1;
}

std::string TextFault(std::string_view text, std::size_t limit, bool lineBreaks)
{
    if (text.size() > limit) {
        return "longer than " + std::to_string(limit) + " bytes";
    }
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) {
            return "not UTF-8 at byte " + std::to_string(at + 1);
        }
        const auto c = static_cast<unsigned char>(text[at]);
        if (length == 1 && (c < 0x20 || c == 0x7F) && !(lineBreaks && c == '\n')) {
            return "a control character at byte " + std::to_string(at + 1);
        }
        at += length;
    }
    return {};
}

}  // namespace

std::string MediumObjectPlace(int slot)
{
    return std::to_string(slot);
}

std::string HighObjectPlace(char letter, int number)
{
    return letter + std::to_string(number);
}

std::string NameFault(std::string_view text)
{
    if (text.empty() || text.front() == ' ' || text.back() == ' ') {
        return "a name is not empty and begins and ends with a letter or sign, not a space";
    }
    return TextFault(text, kMaxNameBytes, false);
}

std::string NoteFault(std::string_view text)
{
    return TextFault(text, kMaxNoteBytes, true);
}

std::string SectorEdits::Name(int number) const
{
    const SystemEdits* edits = Find(number);
    return edits && edits->name ? *edits->name : std::string(names_.Name(number).view());
}

const SystemEdits* SectorEdits::Find(int number) const
{
    const auto found = systems_.find(number);
    return found == systems_.end() ? nullptr : &found->second;
}

void SectorEdits::Set(int number, SystemEdits edits)
{
    if (edits.name && *edits.name == names_.Name(number).view()) {
        edits.name.reset();
    }
    if (edits.hidden == DefaultHiddenFields(edits.visibility)) {
        edits.hidden.reset();
    }
    if (edits.IsEmpty()) {
        systems_.erase(number);
    } else {
        systems_.insert_or_assign(number, std::move(edits));
    }
}

}  // namespace nexmar
