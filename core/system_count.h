#pragma once

#include <string_view>


namespace nexmar {

inline constexpr int kMinSystems = 1;
inline constexpr int kMaxSystems = 200;  // what one press of Generate may ask for

enum class CountParse {
    Ok,          // an integer from 1 to 200
    NotInteger,  // empty, letters, a fraction, an exponent, trailing characters
    OutOfRange,  // an integer, but signed, too large for an int, or outside 1..200
};

inline constexpr const char* kNotIntegerMessage = "Please enter an integer.";
inline constexpr const char* kOutOfRangeMessage = "Please enter an integer between 1 and 200.";

// Reads the number-of-systems field. Blanks around the digits are allowed;
// count is set only when the result is Ok.
CountParse ParseSystemCount(std::string_view text, int& count);

// The message for a text that is not Ok.
const char* SystemCountMessage(CountParse result);

}  // namespace nexmar
