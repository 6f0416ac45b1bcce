#include "core/dice.h"

#include <chrono>

namespace nexmar {

Mt19937::Mt19937(std::uint32_t seed)
{
    state_[0] = seed;
    for (std::size_t i = 1; i < kWords; ++i) {
        state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
    }
}

void Mt19937::Refill()
{
    constexpr std::size_t kShift = 397;
    constexpr std::uint32_t kUpper = 0x80000000u;
    constexpr std::uint32_t kLower = 0x7fffffffu;
    // Each new word mixes the word, its next one and the one kShift ahead.
    const auto twist = [](std::uint32_t word, std::uint32_t next, std::uint32_t ahead) {
        const std::uint32_t y = (word & kUpper) | (next & kLower);
        return ahead ^ (y >> 1) ^ ((0u - (y & 1u)) & 0x9908b0dfu);
    };
    std::size_t k = 0;
    for (; k < kWords - kShift; ++k) {
        state_[k] = twist(state_[k], state_[k + 1], state_[k + kShift]);
    }
    for (; k < kWords - 1; ++k) {
        state_[k] = twist(state_[k], state_[k + 1], state_[k + kShift - kWords]);
    }
    state_[kWords - 1] = twist(state_[kWords - 1], state_[0], state_[kShift - 1]);
    next_ = 0;
}

SeededDice::SeededDice(std::uint32_t seed) : source_(seed)
{
    Roll(1, 1000000);
}

int SeededDice::Roll(int low, int high)
{
    return RollFromSource([this] { return static_cast<int>(source_() >> 17); }, low, high);
}

std::uint32_t SeededDice::NextSeed()
{
    return static_cast<std::uint32_t>(source_());
}

std::uint32_t ClockSeed()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

}  // namespace nexmar
