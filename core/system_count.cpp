#include "core/system_count.h"

namespace nexmar {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
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
    std::uint64_t value = 0;
    const CountParse result = ParseDecimal(text, kMinSystems, kMaxSystems, value);
    if (result == CountParse::Ok) {
        count = static_cast<int>(value);
    }
    return result;
}

const char* SystemCountMessage(CountParse result)
{
    return result == CountParse::OutOfRange ? kOutOfRangeMessage : kNotIntegerMessage;
}

}  // namespace nexmar
