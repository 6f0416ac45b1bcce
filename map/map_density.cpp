#include "map/map_density.h"

namespace nexmar {

std::optional<int> ParseDensity(std::string_view text)
{
    std::string lower;
    for (const char c : text) {
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    for (const NamedDensity& named : kNamedDensities) {
        if (lower == named.name) {
            return named.percent;
        }
    }
    if (!lower.empty() && lower.back() == '%') {
        lower.pop_back();
    }
    if (lower.empty() || lower.size() > 3 || lower.front() == '0') {
        return std::nullopt;
    }
    int percent = 0;
    for (const char c : lower) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        percent = percent * 10 + (c - '0');
    }
    if (percent < 1 || percent > 100) {
        return std::nullopt;
    }
    return percent;
}

std::string DensityName(int percent)
{
    for (const NamedDensity& named : kNamedDensities) {
        if (named.percent == percent) {
            std::string name(named.name);
            name[0] = static_cast<char>(name[0] - ('a' - 'A'));
            return name;
        }
    }
    return std::to_string(percent) + "%";
}

}  // namespace nexmar
