#include "model/seed_input.h"

#include <limits>

#include "core/decimal.h"

namespace nexmar {

std::string ReadSeedInput(std::string_view text, Seed& seed)
{
    constexpr std::uint64_t kLargest = std::numeric_limits<Seed>::max();
    std::uint64_t value = 0;
    const DecimalParse result = ParseDecimal(text, 0, kLargest, value);
    if (result != DecimalParse::Ok) {
        return DecimalRefusal("Seed", text, result, 0, kLargest);
    }
    seed = value;
    return {};
}

}  // namespace nexmar
