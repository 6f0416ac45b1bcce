#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nexmar {

enum class DecimalParse {
    Ok,          // an integer within the range
    NotInteger,  // empty, a sign alone, or anything but digits after the sign
    OutOfRange,  // an integer, but below or above the range, or negative
};

// Reads a whole text as a base-10 integer: blanks (spaces and tabs) around
// it, an optional sign, then digits and nothing else. Leading zeros change nothing ("010" is ten, never eight), a
// '+' changes nothing, and a '-' makes any number out of range, since no
// count or seed is negative. No blanks inside, base prefixes,
// exponents or separators. value is set only when the result is Ok.
DecimalParse ParseDecimal(std::string_view text, std::uint64_t low, std::uint64_t high, std::uint64_t& value);

// The one line that says why text was refused, in the same words wherever a
// number is typed: "NAME: 'TEXT' is out of range; expected an integer from
// LOW to HIGH".
std::string DecimalRefusal(std::string_view name, std::string_view text, DecimalParse result, std::uint64_t low,
                           std::uint64_t high);

}  // namespace nexmar
