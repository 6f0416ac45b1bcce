#include "core/dice.h"

namespace nexmar {

Mt19937::Mt19937(Seed seed)
{
    if (IsShortSeed(seed)) {
        FillFrom(static_cast<std::uint32_t>(seed));
    } else {
        FillFromWords(static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32));
    }
}

void Mt19937::FillFrom(std::uint32_t word)
{
    state_[0] = word;
    for (std::size_t i = 1; i < kWords; ++i) {
        state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
    }
}

void Mt19937::FillFromWords(std::uint32_t low, std::uint32_t high)
{
    // init_by_array of the generator's authors, over a key of two words.
    const std::array<std::uint32_t, 2> key{low, high};
    FillFrom(19650218u);
    const auto previous = [this](std::size_t i) { return state_[i - 1] ^ (state_[i - 1] >> 30); };
    std::size_t i = 1;
    const auto advance = [this, &i] {
        if (++i >= kWords) {
            state_[0] = state_[kWords - 1];
            i = 1;
        }
    };
    for (std::size_t k = 0; k < kWords; ++k) {
        const std::size_t j = k % key.size();
        state_[i] = (state_[i] ^ (previous(i) * 1664525u)) + key[j] + static_cast<std::uint32_t>(j);
        advance();
    }
    for (std::size_t k = 0; k < kWords - 1; ++k) {
        state_[i] = (state_[i] ^ (previous(i) * 1566083941u)) - static_cast<std::uint32_t>(i);
        advance();
    }
    state_[0] = 0x80000000u;
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

SeededDice::SeededDice(Seed seed) : source_(seed)
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

}  // namespace nexmar
