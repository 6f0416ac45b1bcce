#pragma once

#include <cstdint>
#include <random>

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

// The real dice: std::mt19937, whose sequence the C++ standard fixes, reduced
// to its top 15 bits, so one seed gives the same systems on every platform.
class SeededDice final : public Dice {
public:
    // Seeds the source and makes the discarded warm-up roll, as start-up does.
    explicit SeededDice(std::uint32_t seed);
    int Roll(int low, int high) override;
    // A whole draw of the source, for seeding other dice from this sequence.
    std::uint32_t NextSeed();

private:
    std::mt19937 source_;
};

// A seed from a clock finer than seconds, so two starts within one second differ.
std::uint32_t ClockSeed();

}  // namespace nexmar
