#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "json/fields/field_row.h"

namespace nexmar::json_field {

// The keys an object of one or more tables holds, as the reader expects
// them: the fields of every such object first, then the census values with
// the census option and the place from format 3 on, then what a referee may
// have made where the document keeps it; each in its tables' order.
class FieldKeys {
public:
    constexpr std::span<const std::string_view> Required() const { return {keys_.data(), required_}; }
    constexpr std::span<const std::string_view> Optional() const
    {
        return {keys_.data() + required_, count_ - required_};
    }

    // The keys of tables for each census option and document format,
    // worked out as the program is built (more keys than an object may hold
    // do not build).
    template <const auto&... Tables>
    static const FieldKeys& Of(bool census, int format)
    {
        static constexpr std::array<FieldKeys, 6> all = {
            Make<Tables...>(false, 1), Make<Tables...>(false, 2), Make<Tables...>(false, 3),
            Make<Tables...>(true, 1),  Make<Tables...>(true, 2),  Make<Tables...>(true, 3)};
        return all[(census ? 3 : 0) + static_cast<std::size_t>(std::clamp(format, 1, 3) - 1)];
    }

private:
    static constexpr std::size_t kMostKeys = 20;

    template <const auto&... Tables>
    static constexpr FieldKeys Make(bool census, int format)
    {
        FieldKeys made;
        const auto add = [&made](When when) {
            (made.AddAll(Tables, when), ...);
        };
        add(When::Always);
        if (census) {
            add(When::Census);
        }
        if (format >= 3) {
            add(When::Mapped);
        }
        made.required_ = made.count_;
        if (format >= 2) {
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
