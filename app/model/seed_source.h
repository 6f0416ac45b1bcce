#pragma once

#include <optional>

#include "core/dice.h"
#include "core/seed.h"

namespace nexmar {

// Where the dialog's runs take their seeds when the user gives none. The
// program draws each from the system's entropy, so a run nobody seeded has
// a seed of 64 bits; tests and screenshots start from a seed of their own and
// see the same runs at every start.
class SeedSource {
public:
    // Seeds of 64 bits from the system's entropy.
    static SeedSource Entropy() { return SeedSource(); }
    // first, then the draws of dice seeded with it, as runs were seeded
    // before seeds came from the system's entropy. Implicit: a dialog given
    // a seed reads as one whose first run has it.
    SeedSource(Seed first) : first_(first), sequence_(SeededDice(first)) {}

    Seed Next();

private:
    SeedSource() = default;

    std::optional<Seed> first_;
    std::optional<SeededDice> sequence_;
};

}  // namespace nexmar
