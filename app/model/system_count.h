#pragma once

#include <string_view>

#include "core/decimal.h"
#include "run/generation_run.h"

namespace nexmar {

inline constexpr int kMaxSystems = 200;  // what one press of Generate may ask for

// Ok: an integer from 1 to 200. NotInteger and OutOfRange as for any decimal.
using CountParse = DecimalParse;

inline constexpr const char* kNotIntegerMessage = "Please enter an integer.";
inline constexpr const char* kOutOfRangeMessage = "Please enter an integer between 1 and 200.";

// Reads the number-of-systems field: a decimal as ParseDecimal reads it. count is set only when the result is Ok.
CountParse ParseSystemCount(std::string_view text, int& count);

// The message for a text that is not Ok.
const char* SystemCountMessage(CountParse result);

}  // namespace nexmar
