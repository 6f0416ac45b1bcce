#pragma once

#include <array>
#include <span>
#include <string_view>

#include "json/fields/field_row.h"

namespace nexmar::json_field {

// The keys an object of one or more tables holds, as the reader expects
// them: the fields of every such object first, then the census values with
// the census option, then what a referee may have made where the document
// keeps it; each in its tables' order.
class FieldKeys {
public:
    constexpr std::span<const std::string_view> Required() const { return {keys_.data(), required_}; }
    constexpr std::span<const std::string_view> Optional() const
    {
        return {keys_.data() + required_, count_ - required_};
    }

    // The keys of tables for each census and edits, worked out as the
    // program is built (more keys than an object may hold do not build).
    template <const auto&... Tables>
    static const FieldKeys& Of(bool census, bool edits)
    {
        static constexpr std::array<FieldKeys, 4> all = {Make<Tables...>(false, false), Make<Tables...>(false, true),
                                                    Make<Tables...>(true, false), Make<Tables...>(true, true)};
        return all[(census ? 2 : 0) + (edits ? 1 : 0)];
    }

private:
    static constexpr std::size_t kMostKeys = 16;

    template <const auto&... Tables>
    static constexpr FieldKeys Make(bool census, bool edits)
    {
        FieldKeys made;
        const auto add = [&made](When when) {
            (made.AddAll(Tables, when), ...);
        };
        add(When::Always);
        if (census) {
            add(When::Census);
        }
        made.required_ = made.count_;
        if (edits) {
            add(When::Edited);
        }
        return made;
    }

    template <class Table>
    constexpr void AddAll(const Table& table, When when)
    {
        for (const auto& row : table) {
            if (row.when == when) {
                keys_[count_++] = row.key;
            }
        }
    }

    std::array<std::string_view, kMostKeys> keys_{};
    std::size_t required_ = 0;
    std::size_t count_ = 0;
};

}  // namespace nexmar::json_field
