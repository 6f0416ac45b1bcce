#include "core/dice.h"

#include <chrono>

namespace nexmar {

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
