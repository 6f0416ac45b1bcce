#pragma once

#include <cstdint>

namespace nexmar {

// The random stream the map's places are drawn from: its own, keyed by the
// run's seed, so that placing the systems never moves the dice of the
// tables (nor the names, which have a stream of their own). It takes the
// seed whole, however wide, and mixes every bit of it into its state. Plain
// integer arithmetic throughout, so every compiler and library draws the
// same places.
class PlaceStream {
public:
    explicit PlaceStream(std::uint64_t runSeed);
    std::uint64_t Next();
    // An integer from 0 to bound - 1, every one as likely (bound above 0).
    std::uint64_t Below(std::uint64_t bound);

private:
    std::uint64_t state_;
};

}  // namespace nexmar
