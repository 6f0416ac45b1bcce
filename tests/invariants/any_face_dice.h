#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "core/dice.h"

namespace nexmar::invariants {

using DiceCalls = std::vector<std::pair<int, int>>;

// Passes every roll on to other dice and records its bounds.
class RecordingDice final : public Dice {
public:
    explicit RecordingDice(Dice& dice) : dice_(dice) {}
    int Roll(int low, int high) override
    {
        calls.emplace_back(low, high);
        return dice_.Roll(low, high);
    }
    DiceCalls calls;

private:
    Dice& dice_;
};

// Dice that may return any face within each call's bounds. Besides fair
// faces they lean on the extremes, where table boundaries and stat limits
// are reached, so a few thousand runs cover the corners of every table.
class AnyFaceDice final : public Dice {
public:
    enum class Lean { Fair, Extremes, Lowest, Highest };

    AnyFaceDice(std::uint32_t seed, Lean lean) : source_(seed), lean_(lean) {}

    int Roll(int low, int high) override
    {
        if (high < low) {
            return low;  // a broken precondition; CheckRun reports the call
        }
        switch (lean_) {
        case Lean::Lowest:
            return low;
        case Lean::Highest:
            return high;
        case Lean::Extremes:
            switch (source_() % 3) {
            case 0:
                return low;
            case 1:
                return high;
            default:
                break;
            }
            break;
        case Lean::Fair:
            break;
        }
        return std::uniform_int_distribution<int>(low, high)(source_);
    }

private:
    std::mt19937 source_;
    Lean lean_;
};

// Dice fed from a fuzzer's bytes: each roll takes one byte and maps it onto
// the call's bounds; once the bytes run out every roll gives its low bound.
class ByteDice final : public Dice {
public:
    ByteDice(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    int Roll(int low, int high) override
    {
        if (next_ >= size_ || high <= low) {
            return low;
        }
        const unsigned span = static_cast<unsigned>(high - low) + 1;
        return low + static_cast<int>(data_[next_++] % span);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

}  // namespace nexmar::invariants
