// The dialog's number field from fuzz bytes: ParseSystemCount must agree with
// a plain reading of the rule (blanks around an optional sign and digits; a
// minus sign or a value outside 1..200 is out of range; anything else is not
// an integer) and set the count only when it accepts the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "model/system_count.h"

namespace {

nexmar::CountParse Expected(std::string_view text, int& value)
{
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    text = first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
    const bool sign = !text.empty() && (text[0] == '+' || text[0] == '-');
    const bool minus = sign && text[0] == '-';
    const std::string_view digits = text.substr(sign ? 1 : 0);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return nexmar::CountParse::NotInteger;
    }
    const std::string_view significant = digits.substr(std::min(digits.find_first_not_of('0'), digits.size()));
    if (minus || significant.empty() || significant.size() > 3 || std::stoi(std::string(significant)) > 200) {
        return nexmar::CountParse::OutOfRange;
    }
    value = std::stoi(std::string(significant));
    return nexmar::CountParse::Ok;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    constexpr int kUntouched = -12345;
    int count = kUntouched;
    int expectedCount = kUntouched;
    const nexmar::CountParse result = nexmar::ParseSystemCount(text, count);
    const nexmar::CountParse expected = Expected(text, expectedCount);
    if (result != expected || count != expectedCount) {
        std::fprintf(stderr, "\"%s\": result %d count %d, expected %d count %d\n", text.c_str(), static_cast<int>(result),
                     count, static_cast<int>(expected), expectedCount);
        std::abort();
    }
    const char* message = nexmar::SystemCountMessage(result);
    if (result != nexmar::CountParse::Ok &&
        (result == nexmar::CountParse::OutOfRange) != (std::strstr(message, "between 1 and 200") != nullptr)) {
        std::fprintf(stderr, "\"%s\": message \"%s\"\n", text.c_str(), message);
        std::abort();
    }
    return 0;
}
