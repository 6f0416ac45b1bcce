#include "model/system_count.h"

namespace nexmar {

CountParse ParseSystemCount(std::string_view text, int& count)
{
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
