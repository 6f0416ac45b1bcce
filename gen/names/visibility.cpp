#include "gen/names/visibility.h"

namespace nexmar {

std::string_view VisibilityName(Visibility visibility)
{
    switch (visibility) {
    case Visibility::Known:
        return "Known";
    case Visibility::Rumoured:
        return "Rumoured";
    case Visibility::Secret:
        return "Secret";
    }
    return {};
}

std::string_view PlayerFieldName(PlayerField field)
{
    // The keys of the run document.
    switch (field) {
    case PlayerField::Name:
        return "name";
    case PlayerField::Size:
        return "size";
    case PlayerField::Importance:
        return "importance";
    case PlayerField::Stars:
        return "stars";
    case PlayerField::Type:
        return "type";
    case PlayerField::Value:
        return "value";
    case PlayerField::Capacity:
        return "capacity";
    case PlayerField::Raw:
        return "raw";
    case PlayerField::Census:
        return "census";
    case PlayerField::Special:
        return "special";
    case PlayerField::Moons:
        return "moons";
    }
    return {};
}

std::span<const PlayerField> PlayerFieldsOf(DetailLevel level)
{
    using enum PlayerField;
    static constexpr PlayerField kLow[] = {Name, Size, Importance, Capacity, Raw, Census, Special};
    static constexpr PlayerField kMedium[] = {Name, Type, Value, Capacity, Raw, Census, Special, Moons};
    static constexpr PlayerField kHigh[] = {Name, Stars, Type, Size, Capacity, Raw, Census, Special, Moons};
    switch (level) {
    case DetailLevel::Low:
        return kLow;
    case DetailLevel::Medium:
        return kMedium;
    case DetailLevel::High:
        return kHigh;
    }
    return {};
}

}  // namespace nexmar
