#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nexmar {

// Letter case aside, as the Unicode data's simple case folding has it
// (CaseFolding.txt, status C and S): "É" is "é", "Σ" and "ς" are "σ", "ẞ"
// is "ß". Each character folds to one, so "ß" stays "ß"; a Turkic dotted
// "İ", which folds only by the full or the Turkic rules, stays as it is.
char32_t FoldCase(char32_t code);

// One character of a UTF-8 text, folded: the bytes it took in the text,
// and its folded UTF-8. A byte that opens no well-formed sequence (as the
// document reader judges them, core/utf8.h) is one character of its own,
// kept as it is: it finds only itself.
struct FoldedCharacter {
    std::size_t taken = 1;
    char bytes[4] = {};
    int length = 0;
};
FoldedCharacter FoldCharacterAt(std::string_view text, std::size_t at);

// Calls take with each byte of text folded, in order, while take returns
// true; false if take stopped it. ASCII takes the short way.
template <class Take>
bool ForEachFoldedByte(std::string_view text, const Take& take)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            if (!take(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte))) {
                return false;
            }
            ++at;
            continue;
        }
        const FoldedCharacter folded = FoldCharacterAt(text, at);
        for (int i = 0; i < folded.length; ++i) {
            if (!take(folded.bytes[i])) {
                return false;
            }
        }
        at += folded.taken;
    }
    return true;
}

// text folded character by character.
std::string FoldCase(std::string_view text);

}  // namespace nexmar
