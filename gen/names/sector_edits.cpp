#include "gen/names/sector_edits.h"

#include "core/utf8.h"

namespace nexmar {

namespace {

// The code point of the well-formed sequence of length bytes at text[at].
char32_t CodePointAt(std::string_view text, std::size_t at, std::size_t length)
{
    constexpr unsigned char kLeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t point = static_cast<unsigned char>(text[at]) & kLeadBits[length - 1];
    for (std::size_t i = 1; i < length; ++i) {
        point = (point << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    return point;
}

// A noncharacter: U+FDD0 to U+FDEF and the last two code points of every
// plane. XML forbids U+FFFE and U+FFFF, so no picture, sheet or handout could
// hold them; the others have no meaning to carry either.
bool IsNoncharacter(char32_t point)
{
    return (point >= 0xFDD0 && point <= 0xFDEF) || (point & 0xFFFE) == 0xFFFE;
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
        if (IsNoncharacter(CodePointAt(text, at, length))) {
            return "a noncharacter at byte " + std::to_string(at + 1);
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

std::optional<PlayerSystem> PlayerSystemOf(const SectorEdits& edits, int number)
{
    PlayerSystem shown;
    shown.edits = edits.Find(number);
    if (shown.edits != nullptr) {
        if (shown.edits->visibility == Visibility::Secret) {
            return std::nullopt;
        }
        shown.hidden = shown.edits->Hidden();
    }
    if (!shown.hidden.Has(PlayerField::Name)) {
        shown.name = edits.Name(number);
    }
    return shown;
}

}  // namespace nexmar
