#pragma once

#include <string>
#include <string_view>

#include "core/seed.h"

namespace nexmar {

// Reads a seed typed by the user by the rules of nexmar-cli --seed: a base-10
// integer from 0 to 18446744073709551615 (2^64 - 1), an optional plus sign, nothing else. Returns
// the message for a text it refuses, or an empty string with seed set.
std::string ReadSeedInput(std::string_view text, Seed& seed);

}  // namespace nexmar
