#include "model/seed_input.h"

#include <limits>

#include "core/decimal.h"

namespace nexmar {

std::string ReadSeedInput(std::string_view text, std::uint32_t& seed)
{
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    const DecimalParse result = ParseDecimal(text, 0, kLargest, value);
    if (result != DecimalParse::Ok) {
        return DecimalRefusal("Seed", text, result, 0, kLargest);
    }
    seed = static_cast<std::uint32_t>(value);
    return {};
}

}  // namespace nexmar
