#include "core/case_fold.h"

#include <algorithm>
#include <iterator>

#include "core/utf8.h"

namespace nexmar {

namespace {

struct CaseFolding {
    char32_t code;
    char32_t folded;
};

#include "core/case_folding_table.inc"

char32_t DecodeUtf8(std::string_view sequence)
{
    static constexpr unsigned char kLeadBits[] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(sequence[0]) & kLeadBits[sequence.size() - 1];
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        code = (code << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    }
    return code;
}

int EncodeUtf8(char32_t code, char (&bytes)[4])
{
    const auto byte = [](char32_t value) { return static_cast<char>(static_cast<unsigned char>(value)); };
    if (code < 0x80) {
        bytes[0] = byte(code);
        return 1;
    }
    if (code < 0x800) {
        bytes[0] = byte(0xC0 | (code >> 6));
        bytes[1] = byte(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        bytes[0] = byte(0xE0 | (code >> 12));
        bytes[1] = byte(0x80 | ((code >> 6) & 0x3F));
        bytes[2] = byte(0x80 | (code & 0x3F));
        return 3;
    }
    bytes[0] = byte(0xF0 | (code >> 18));
    bytes[1] = byte(0x80 | ((code >> 12) & 0x3F));
    bytes[2] = byte(0x80 | ((code >> 6) & 0x3F));
    bytes[3] = byte(0x80 | (code & 0x3F));
    return 4;
}

}  // namespace

char32_t FoldCase(char32_t code)
{
    const auto* found =
        std::lower_bound(std::begin(kSimpleCaseFoldings), std::end(kSimpleCaseFoldings), code,
                         [](const CaseFolding& folding, char32_t wanted) { return folding.code < wanted; });
    return found != std::end(kSimpleCaseFoldings) && found->code == code ? found->folded : code;
}

FoldedCharacter FoldCharacterAt(std::string_view text, std::size_t at)
{
    FoldedCharacter folded;
    const std::size_t length = Utf8Length(text, at);
    if (length == 0) {
        folded.bytes[0] = text[at];
        folded.length = 1;
        return folded;
    }
    folded.taken = length;
    folded.length = EncodeUtf8(FoldCase(DecodeUtf8(text.substr(at, length))), folded.bytes);
    return folded;
}

std::string FoldCase(std::string_view text)
{
    std::string folded;
    folded.reserve(text.size());
    ForEachFoldedByte(text, [&](char byte) {
        folded.push_back(byte);
        return true;
    });
    return folded;
}

}  // namespace nexmar
