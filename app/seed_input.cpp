#include "app/seed_input.h"

#include <cstdint>

namespace nexmar {

std::string ReadSeedInput(std::string_view text, std::uint32_t& seed)
{
    constexpr std::uint64_t kLargest = 4294967295u;
    const std::string refusal = "Seed: '" + std::string(text) + "' ";
    const std::string range = "; expected an integer from 0 to 4294967295";
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (negative || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return refusal + "is not an integer" + range;
    }
    // Past the largest seed the value stops growing, so any length of digits
    // reads as out of range rather than overflowing.
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return refusal + "is not an integer" + range;
        }
        if (value <= kLargest) {
            value = value * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    if (negative || value > kLargest) {
        return refusal + "is out of range" + range;
    }
    seed = static_cast<std::uint32_t>(value);
    return {};
}

}  // namespace nexmar
