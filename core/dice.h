#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/seed.h"

namespace nexmar {

// Every random decision of a generator is one call of Roll: an integer between
// low and high, both included. Generators only see this interface, so tests
// can feed exact faces and check the order of the calls.
class Dice {
public:
    virtual ~Dice() = default;
    virtual int Roll(int low, int high) = 0;
};

// The die algorithm over a 15-bit source (0..32767): scale the draw by 2^-15,
// multiply by high + 1, draw again while the product is below low, and
// truncate. Roll(2, 12) is therefore flat, not a two-dice total.
template <class Source15>
int RollFromSource(Source15&& nextDraw, int low, int high)
{
    constexpr double kScale = 0.000030517578125;  // 2^-15
    double value = 0.0;
    while (value < low) {
        const int draw = nextDraw();
        value = (draw * kScale) * (high + 1);
    }
    return static_cast<int>(value);
}

// The Mersenne Twister MT19937: the sequence of std::mt19937, which the C++
// standard fixes, from a state of 32-bit words refilled 624 at a time in one
// pass the compiler can vectorize. Every roll of a batch run draws from it;
// the standard library's engine keeps its state in 64-bit words and spends
// half as long again a draw.
//
// A short seed (below 2^32) fills the state as std::mt19937's seed(value)
// does; a longer one fills it from its two 32-bit words, low word first, by
// the generator's own init_by_array, so every bit of it counts.
class Mt19937 {
public:
    explicit Mt19937(Seed seed);
    std::uint32_t operator()()
    {
        if (next_ == kWords) {
            Refill();
        }
        std::uint32_t y = state_[next_++];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9d2c5680u;
        y ^= (y << 15) & 0xefc60000u;
        return y ^ (y >> 18);
    }

private:
    static constexpr std::size_t kWords = 624;
    void Refill();
    void FillFrom(std::uint32_t word);
    void FillFromWords(std::uint32_t low, std::uint32_t high);

    std::array<std::uint32_t, kWords> state_;
    std::size_t next_ = kWords;
};

// The real dice: MT19937 reduced to its top 15 bits, so one seed gives the
// same systems on every platform.
class SeededDice final : public Dice {
public:
    // Seeds the source and makes the discarded warm-up roll, as start-up does.
    explicit SeededDice(Seed seed);
    int Roll(int low, int high) override;
    // A whole draw of the source, for seeding other dice from this sequence.
    std::uint32_t NextSeed();

private:
    Mt19937 source_;
};

}  // namespace nexmar
