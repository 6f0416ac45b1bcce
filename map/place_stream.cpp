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
    // Draws at or above the last whole multiple of bound would favour the
    // low remainders: draw again.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    std::uint64_t draw = Next();
    while (draw >= limit) {
        draw = Next();
    }
    return draw % bound;
}

}  // namespace nexmar
