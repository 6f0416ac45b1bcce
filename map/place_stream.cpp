#include "map/place_stream.h"

namespace nexmar {

namespace {

// Tells the places' stream from any other drawn from the same seed.
constexpr std::uint64_t kPlacesStream = 0x6d61702d706c6163ULL;

std::uint64_t Mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

PlaceStream::PlaceStream(std::uint64_t runSeed) : state_(Mix(runSeed ^ kPlacesStream)) {}

std::uint64_t PlaceStream::Next()
{
    state_ += 0x9e3779b97f4a7c15ULL;  // SplitMix64
    return Mix(state_);
}

std::uint64_t PlaceStream::Below(std::uint64_t bound)
{
    // The draw times bound, taken in 128 bits: its high word is the result.
    // The few draws whose low word falls under 2^64 mod bound would favour
    // some results, and are drawn again; no division but in that rare case,
    // which keeps placing a million systems cheap beside rolling them.
    unsigned __int128 product = static_cast<unsigned __int128>(Next()) * bound;
    if (static_cast<std::uint64_t>(product) < bound) {
        const std::uint64_t threshold = (0 - bound) % bound;
        while (static_cast<std::uint64_t>(product) < threshold) {
            product = static_cast<unsigned __int128>(Next()) * bound;
        }
    }
    return static_cast<std::uint64_t>(product >> 64);
}

}  // namespace nexmar
