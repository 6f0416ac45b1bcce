#include "gen/names/system_names.h"

#include <charconv>
#include <iterator>

#include "gen/names/name_syllables.h"

namespace nexmar {

namespace {

using namespace name_syllables;

constexpr std::uint32_t kFirstCount =
    std::size(kFirstOnsets) * std::size(kFirstVowels) * std::size(kFirstCodas);
constexpr std::uint32_t kMiddleCount = std::size(kMiddleOnsets) * std::size(kMiddleVowels);
constexpr std::uint32_t kEndingCount = std::size(kEndings);
constexpr std::uint32_t kTwoSyllableNames = kFirstCount * kEndingCount;
constexpr std::uint32_t kNameCount = kTwoSyllableNames + kFirstCount * kMiddleCount * kEndingCount;

// The permutation works on 22 bits, two halves of 11; an index it takes
// beyond the names is taken through it again until it falls among them,
// which keeps it a permutation of the names alone.
constexpr int kHalfBits = 11;
constexpr std::uint32_t kHalfMask = (1u << kHalfBits) - 1;
// Nearly half of the block are names, so an index falls among them in about
// two steps.
static_assert(kNameCount <= (1u << (2 * kHalfBits)) && kNameCount > (1u << (2 * kHalfBits)) * 9 / 20);

// Tells the names' stream from any other drawn from the same seed.
constexpr std::uint64_t kNamesStream = 0x6e616d6573ull;  // "names"

std::uint64_t SplitMix64(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

std::uint32_t Round(std::uint32_t half, std::uint32_t key)
{
    std::uint32_t x = half ^ key;
    x *= 0x85ebca6bu;
    x ^= x >> 13;
    x *= 0xc2b2ae35u;
    x ^= x >> 16;
    return x & kHalfMask;
}

}  // namespace

const int kDistinctNames = static_cast<int>(kNameCount);

GeneratedName SpellName(std::uint32_t index)
{
    GeneratedName name;
    std::size_t size = 0;
    const auto add = [&](std::string_view syllable) {
        for (const char letter : syllable) {
            name.text_[size++] = letter;
        }
    };
    // The first syllable and the ending vary fastest, so the first names of
    // any order differ at both ends.
    const std::uint32_t first = index % kFirstCount;
    const std::uint32_t rest = index / kFirstCount;
    const std::uint32_t ending = rest % kEndingCount;
    const std::uint32_t coda = first % std::size(kFirstCodas);
    const std::uint32_t vowel = first / std::size(kFirstCodas) % std::size(kFirstVowels);
    const std::uint32_t onset = first / (std::size(kFirstCodas) * std::size(kFirstVowels));
    add(kFirstOnsets[onset]);
    add(kFirstVowels[vowel]);
    add(kFirstCodas[coda]);
    if (index >= kTwoSyllableNames) {
        const std::uint32_t middle = (index - kTwoSyllableNames) / (kFirstCount * kEndingCount);
        add(kMiddleOnsets[middle / std::size(kMiddleVowels)]);
        add(kMiddleVowels[middle % std::size(kMiddleVowels)]);
    }
    add(kEndings[ending]);
    name.text_[0] = static_cast<char>(name.text_[0] - 'a' + 'A');
    name.size_ = static_cast<std::uint8_t>(size);
    return name;
}

NameGenerator::NameGenerator(Seed runSeed)
{
    // A long seed's words are swapped, so its high word (never zero) lands
    // where a short seed's state holds the stream's mark alone: the keys of
    // a long seed come from all of its bits and never from a short seed's state.
    const std::uint64_t start = IsShortSeed(runSeed) ? runSeed << 32 : (runSeed << 32) | (runSeed >> 32);
    std::uint64_t state = start ^ kNamesStream;
    for (std::uint32_t& key : keys_) {
        key = static_cast<std::uint32_t>(SplitMix64(state));
    }
}

std::uint32_t NameGenerator::Permute(std::uint32_t index) const
{
    std::uint32_t left = index >> kHalfBits;
    std::uint32_t right = index & kHalfMask;
    for (const std::uint32_t key : keys_) {
        const std::uint32_t next = left ^ Round(right, key);
        left = right;
        right = next;
    }
    return (left << kHalfBits) | right;
}

GeneratedName NameGenerator::Name(int number) const
{
    const auto offset = static_cast<std::uint32_t>(number - 1);
    std::uint32_t index = Permute(offset % kNameCount);
    while (index >= kNameCount) {
        index = Permute(index);
    }
    GeneratedName name = SpellName(index);
    if (const std::uint32_t lap = offset / kNameCount; lap > 0) {
        name.text_[name.size_++] = ' ';
        char* const end = std::to_chars(name.text_.data() + name.size_, name.text_.data() + name.text_.size(),
                                        lap + 1).ptr;
        name.size_ = static_cast<std::uint8_t>(end - name.text_.data());
    }
    return name;
}

}  // namespace nexmar
