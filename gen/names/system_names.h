#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/seed.h"

namespace nexmar {

class GeneratedName;
GeneratedName SpellName(std::uint32_t index);

// A system's name as the name generator spells it, held in place: naming a
// million systems allocates nothing.
class GeneratedName {
public:
    std::string_view view() const { return {text_.data(), size_}; }

private:
    friend class NameGenerator;
    friend GeneratedName SpellName(std::uint32_t index);
    std::array<char, 32> text_{};
    std::uint8_t size_ = 0;
};

// Names the systems of a run: pronounceable names of two or three syllables
// ("Velorin", "Astra"), each a function of the run's seed and the system's
// number alone, so a name costs the same for System 1 as for System 900000
// and nothing is kept between them. The names come from a stream of their
// own that the seed keys, never from the run's dice, so naming a run leaves
// its systems, its tree and its reports as they are.
//
// Every system of a run up to kDistinctNames gets a name of its own: the
// number is taken through a permutation of the names the seed chooses, and
// two different choices of syllables never spell the same name. Beyond
// that count, names repeat with a number after them ("Velorin 2").
class NameGenerator {
public:
    explicit NameGenerator(Seed runSeed);
    // number from 1.
    GeneratedName Name(int number) const;

private:
    static constexpr int kRounds = 4;
    std::uint32_t Permute(std::uint32_t index) const;

    std::array<std::uint32_t, kRounds> keys_{};
};

// How many names the syllables spell; every run of up to this many systems
// names each one differently.
extern const int kDistinctNames;

// The name of choice index (below kDistinctNames), before any permutation.
GeneratedName SpellName(std::uint32_t index);

}  // namespace nexmar
