#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nexmar {

// A text looked for in others, letter case aside (core/case_fold.h). The
// text looked for is folded once; each text searched is folded as it is
// read, once, byte by byte, and never read back (Knuth, Morris and Pratt's
// search over the folded bytes), so a search takes time in proportion to
// the two texts' lengths whatever they hold: a needle of 32 KiB over notes
// of 64 KiB in one pass over them.
class FoldedSearch {
public:
    explicit FoldedSearch(std::string_view needle);

    const std::string& Folded() const { return needle_; }
    // Whether text, or the text whose consecutive pieces these are, holds the needle.
    bool FoundIn(std::string_view text) const { return FoundIn(std::span<const std::string_view>(&text, 1)); }
    bool FoundIn(std::span<const std::string_view> pieces) const;
    // Whether the text whose consecutive pieces these are is the needle.
    bool Equals(std::span<const std::string_view> pieces) const;

private:
    std::string needle_;
    // For each length matched, the longest proper prefix of the needle
    // that is also a suffix of the part matched: where a mismatch goes on.
    std::vector<std::uint32_t> fallback_;
};

}  // namespace nexmar
