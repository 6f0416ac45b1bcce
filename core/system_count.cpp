#include "core/system_count.h"

namespace nexmar {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

CountParse ParseSystemCount(std::string_view text, int& count)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    const bool signed_ = !text.empty() && (text.front() == '+' || text.front() == '-');
    if (signed_) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return CountParse::NotInteger;
    }
    // Saturates just above the range, so a number too large for an int is
    // still recognised as an integer, only out of range.
    int value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) {
            return CountParse::NotInteger;
        }
        if (value <= kMaxSystems) {
            value = value * 10 + (c - '0');
        }
    }
    // A sign never belongs in a count, even "+5".
    if (signed_ || value < kMinSystems || value > kMaxSystems) {
        return CountParse::OutOfRange;
    }
    count = value;
    return CountParse::Ok;
}

const char* SystemCountMessage(CountParse result)
{
    return result == CountParse::OutOfRange ? kOutOfRangeMessage : kNotIntegerMessage;
}

}  // namespace nexmar
