#include "core/folded_search.h"

#include "core/case_fold.h"

namespace nexmar {

FoldedSearch::FoldedSearch(std::string_view needle) : needle_(FoldCase(needle)), fallback_(needle_.size() + 1, 0)
{
    std::uint32_t matched = 0;
    for (std::size_t at = 1; at < needle_.size(); ++at) {
        while (matched > 0 && needle_[at] != needle_[matched]) {
            matched = fallback_[matched];
        }
        if (needle_[at] == needle_[matched]) {
            ++matched;
        }
        fallback_[at + 1] = matched;
    }
}

bool FoldedSearch::FoundIn(std::span<const std::string_view> pieces) const
{
    if (needle_.empty()) {
        return true;
    }
    const auto whole = static_cast<std::uint32_t>(needle_.size());
    std::uint32_t matched = 0;
    const auto step = [&](char byte) {
        while (matched > 0 && byte != needle_[matched]) {
            matched = fallback_[matched];
        }
        if (byte == needle_[matched]) {
            ++matched;
        }
        return matched != whole;
    };
    for (const std::string_view piece : pieces) {
        if (!ForEachFoldedByte(piece, step)) {
            return true;
        }
    }
    return false;
}

bool FoldedSearch::Equals(std::span<const std::string_view> pieces) const
{
    std::size_t matched = 0;
    const auto step = [&](char byte) { return matched < needle_.size() && byte == needle_[matched++]; };
    for (const std::string_view piece : pieces) {
        if (!ForEachFoldedByte(piece, step)) {
            return false;
        }
    }
    return matched == needle_.size();
}

}  // namespace nexmar
