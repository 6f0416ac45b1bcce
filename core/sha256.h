#pragma once

#include <string>
#include <string_view>

namespace nexmar {

// The SHA-256 digest of bytes (FIPS 180-4) in 64 lowercase hex digits: a
// run document names the house rules it was rolled with by it.
std::string Sha256Hex(std::string_view bytes);

}  // namespace nexmar
