#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nexmar {

// Reads a seed typed by the user by the rules of nexmar-cli --seed: a base-10
// integer from 0 to 4294967295, an optional plus sign, nothing else. Returns
// the message for a text it refuses, or an empty string with seed set.
std::string ReadSeedInput(std::string_view text, std::uint32_t& seed);

}  // namespace nexmar
