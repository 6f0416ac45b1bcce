#include "core/decimal.h"

#include <limits>

#include "core/format.h"

namespace nexmar {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

DecimalParse ParseDecimal(std::string_view text, std::uint64_t low, std::uint64_t high, std::uint64_t& value)
{
    // A number pasted with the blanks around it is still that number.
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || negative)) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return DecimalParse::NotInteger;
    }
    // The digits after an overflow are still read: a text that is not a
    // number is refused as such before it is refused as too large.
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t number = 0;
    bool overflow = false;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return DecimalParse::NotInteger;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (number > (kLargest - digit) / 10) {
            overflow = true;
        } else {
            number = number * 10 + digit;
        }
    }
    if (negative || overflow || number < low || number > high) {
        return DecimalParse::OutOfRange;
    }
    value = number;
    return DecimalParse::Ok;
}

std::string DecimalRefusal(std::string_view name, std::string_view text, DecimalParse result, std::uint64_t low,
                           std::uint64_t high)
{
    const char* problem = result == DecimalParse::NotInteger ? "is not an integer" : "is out of range";
    return Format("%.*s: '%.*s' %s; expected an integer from %llu to %llu", static_cast<int>(name.size()),
                  name.data(), static_cast<int>(text.size()), text.data(), problem,
                  static_cast<unsigned long long>(low), static_cast<unsigned long long>(high));
}

}  // namespace nexmar
