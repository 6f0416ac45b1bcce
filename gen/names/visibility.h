#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "gen/records.h"

namespace nexmar {

// What the players know of a system: all of it but what the referee hides
// (Known), that it is there and a little more (Rumoured), or nothing at all
// (Secret). A system is Known until the referee says otherwise.
enum class Visibility : std::uint8_t { Known, Rumoured, Secret };
inline constexpr Visibility kVisibilities[] = {Visibility::Known, Visibility::Rumoured, Visibility::Secret};
std::string_view VisibilityName(Visibility visibility);

// The fields a referee may keep from the players, each for a whole system
// (every star, object or moon of it), named by its key in the run document. Size
// is a Low system's size class or a High object's; Census stands for the
// three census values; Special for an object's special result, its roll and
// whether it is a Gaia World; Moons for the moons and all they hold.
enum class PlayerField : std::uint8_t {
    Name,
    Size,
    Importance,
    Stars,
    Type,
    Value,
    Capacity,
    Raw,
    Census,
    Special,
    Moons,
};
inline constexpr PlayerField kPlayerFields[] = {
    PlayerField::Name,  PlayerField::Size,     PlayerField::Importance, PlayerField::Stars,
    PlayerField::Type,  PlayerField::Value,    PlayerField::Capacity,   PlayerField::Raw,
    PlayerField::Census, PlayerField::Special, PlayerField::Moons,
};
std::string_view PlayerFieldName(PlayerField field);
// The fields a system of the level has, in the order above.
std::span<const PlayerField> PlayerFieldsOf(DetailLevel level);

// A set of those fields.
class PlayerFields {
public:
    constexpr PlayerFields() = default;
    constexpr PlayerFields(std::initializer_list<PlayerField> fields)
    {
        for (const PlayerField field : fields) {
            Add(field);
        }
    }
    constexpr bool Has(PlayerField field) const { return (bits_ & Bit(field)) != 0; }
    constexpr void Add(PlayerField field) { bits_ |= Bit(field); }
    constexpr void Remove(PlayerField field) { bits_ &= static_cast<std::uint16_t>(~Bit(field)); }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    constexpr bool operator==(const PlayerFields&) const = default;

private:
    static constexpr std::uint16_t Bit(PlayerField field)
    {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(field));
    }
    std::uint16_t bits_ = 0;
};

// What a system of that visibility hides unless the referee chose: nothing
// of a Known system; of a Rumoured one every figure and special, so that
// its name, stars, zones and the kinds of its bodies show.
constexpr PlayerFields DefaultHiddenFields(Visibility visibility)
{
    using enum PlayerField;
    return visibility == Visibility::Rumoured ? PlayerFields{Value, Capacity, Raw, Census, Special, Moons}
                                              : PlayerFields{};
}

}  // namespace nexmar
