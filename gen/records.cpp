#include "gen/records.h"

namespace nexmar {

std::string_view DetailLevelName(DetailLevel level)
{
    switch (level) {
    case DetailLevel::Low:
        return "Low";
    case DetailLevel::Medium:
        return "Medium";
    case DetailLevel::High:
        return "High";
    }
    return {};
}

std::string_view OrbitZoneName(OrbitZone zone)
{
    switch (zone) {
    case OrbitZone::Inner:
        return "Inner";
    case OrbitZone::Habitable:
        return "Habitable";
    case OrbitZone::Outer:
        return "Outer";
    }
    return {};
}

std::string_view LowSizeClassName(LowSizeClass size)
{
    switch (size) {
    case LowSizeClass::MinorOutpost:
        return "Minor Outpost";
    case LowSizeClass::Outpost:
        return "Outpost";
    case LowSizeClass::MinorColony:
        return "Minor Colony";
    case LowSizeClass::Colony:
        return "Colony";
    case LowSizeClass::MajorColony:
        return "Major Colony";
    }
    return {};
}

std::string_view ImportanceName(Importance importance)
{
    switch (importance) {
    case Importance::Unimportant:
        return "Unimportant";
    case Importance::Minor:
        return "Minor";
    case Importance::Major:
        return "Major";
    }
    return {};
}

std::string_view MediumObjectTypeName(MediumObjectType type)
{
    switch (type) {
    case MediumObjectType::Hostile:
        return "Hostile";
    case MediumObjectType::SubTerrestrial:
        return "Sub-Terrestrial";
    case MediumObjectType::Terrestrial:
        return "Terrestrial";
    case MediumObjectType::GasGiant:
        return "Gas Giant";
    case MediumObjectType::AsteroidBelt:
        return "Asteroid Belt";
    }
    return {};
}

std::string_view ValueClassName(ValueClass value)
{
    switch (value) {
    case ValueClass::None:
        return "None";
    case ValueClass::VeryLow:
        return "Very Low";
    case ValueClass::Low:
        return "Low";
    case ValueClass::Moderate:
        return "Moderate";
    case ValueClass::High:
        return "High";
    case ValueClass::VeryHigh:
        return "Very High";
    }
    return {};
}

}  // namespace nexmar
