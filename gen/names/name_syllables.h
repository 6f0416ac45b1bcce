#pragma once

#include <string_view>

// The syllables system names are spelled from. A name is a first syllable,
// at most one middle syllable and an ending; every syllable but the first
// opens with a consonant, no coda or onset after the first is "h"-led, and
// each vowel run is one syllable's nucleus, so a spelled name splits into
// its syllables one way only: two different choices never spell one name.
namespace nexmar::name_syllables {

// The first syllable: an onset (or none), a vowel, a coda (or none).
inline constexpr std::string_view kFirstOnsets[] = {
    "",   "b",  "c",  "d",  "f",  "g",  "h",  "k",  "l",  "m",  "n",  "p",  "r",  "s",  "t",  "v",
    "z",  "br", "cr", "dr", "gr", "kr", "pr", "tr", "vr", "th", "sh", "st", "sk", "ch", "kh", "ph"};
inline constexpr std::string_view kFirstVowels[] = {"a", "e", "i", "o", "u"};
inline constexpr std::string_view kFirstCodas[] = {"", "n", "r", "s"};

// The middle syllable: a consonant and a vowel.
inline constexpr std::string_view kMiddleOnsets[] = {"b", "d", "g", "k", "l", "m", "n", "r", "s", "t", "v", "z"};
inline constexpr std::string_view kMiddleVowels[] = {"a", "e", "i", "o"};

// The last syllable, whole.
inline constexpr std::string_view kEndings[] = {
    "ra",  "ris",  "ron",  "rus",  "rax", "rea",  "na",   "nis", "nor",  "nia", "dra", "dris", "don",
    "dun", "la",   "lis",  "lon",  "lia", "ma",   "mir",  "mon", "mus",  "sa",  "sis", "sor",  "sar",
    "ta",  "tis",  "ton",  "tor",  "tha", "thos", "thea", "va",  "vis",  "von", "vex", "ka",   "kis",
    "kor", "kar",  "ga",   "gar",  "gon", "dor",  "zar",  "zen", "phis", "pha", "lux", "nae",  "ria",
    "tan", "ven",  "drin", "tris", "gos", "bel",  "bis",  "mar", "los",  "ros", "tel", "zia"};

}  // namespace nexmar::name_syllables
