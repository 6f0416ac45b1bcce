#pragma once

#include <cstdint>

namespace nexmar {

// The seed of a run, or of one system rolled again. Every value of 64 bits
// is a seed. The dice, the names and the seeds of rerolls are keyed by all
// of its bits, so a player who knows the algorithms must search 2^64 seeds
// to find the one that made a handout; a seed below kLongSeedFloor keys them
// exactly as the 32-bit seeds of earlier versions did, so every seed a user
// or a saved document already has gives its run byte for byte.
using Seed = std::uint64_t;

// The first seed keyed by more than 32 bits.
inline constexpr Seed kLongSeedFloor = Seed{1} << 32;

// Whether seed keys everything as a 32-bit seed always has.
constexpr bool IsShortSeed(Seed seed)
{
    return seed < kLongSeedFloor;
}

// A seed of 64 bits from the system's entropy, drawn again while below
// kLongSeedFloor: a run nobody seeded never has a seed a search of 2^32
// values could find.
Seed EntropySeed();

}  // namespace nexmar
