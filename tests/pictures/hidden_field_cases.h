#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gen/names/visibility.h"
#include "gen/records.h"

// Systems that differ in one field the referee may hide, for every such
// field of every level: what the players are handed of them must be the
// same where the field is hidden, and differ where it is shown.
namespace nexmar::testing {

// One system as the referee made it: its record and the name given it.
struct Variant {
    SystemRecord record;
    std::string name = "Velorin";
};

inline LowSystem BaseLow()
{
    return {LowSizeClass::Colony, Importance::Minor, 6, 4, "Special: Naval base", CensusValues{4, 5, 6}};
}

inline MediumSystem BaseMedium()
{
    MediumObject first{OrbitZone::Inner, MediumObjectType::Terrestrial, ValueClass::Moderate, 5, 3,
                       "Special: Rich deposits", {"Inaccessible"}, CensusValues{3, 4, 5}};
    MediumObject second{OrbitZone::Outer, MediumObjectType::GasGiant, std::nullopt, 2, 1, "", {}, CensusValues{1, 1, 1}};
    return {{first, second}};
}

inline HighSystem BaseHigh()
{
    HighObject object{OrbitZone::Habitable, HighObjectType::Terrestrial, HighObjectSize::Huge, 6, 3, 5,
                      "Special: Rich deposits", false, CensusValues{3, 4, 5}, {{1, 1}, {2, 0}}};
    return {{StarComponent{'A', {Star{StarColour::Yellow, StarSize::MainSequence}}, {object}}}};
}

// Systems made from the base one by each of changes, one at a time.
template <class System, class Change, class Value>
std::vector<Variant> Each(System base, Change change, std::initializer_list<Value> values)
{
    std::vector<Variant> variants;
    for (const Value& value : values) {
        System system = base;
        change(system, value);
        variants.push_back({system});
    }
    return variants;
}

inline HighSystem WithoutCensus(HighSystem system)
{
    for (StarComponent& component : system.components) {
        for (HighObject& object : component.objects) {
            object.census.reset();
        }
    }
    return system;
}

inline HighObject& FirstObject(HighSystem& system)
{
    return system.components.front().objects.front();
}

struct FieldCase {
    const char* what;
    PlayerField field;
    std::vector<Variant> variants;  // differing in the field alone
};

inline std::vector<FieldCase> HiddenFieldCases()
{
    using Census = CensusValues;
    using Moons = std::vector<HighMoon>;
    using Texts = std::vector<std::string_view>;
    struct Gaia {
        int roll;
        std::string_view text;
        bool gaiaWorld;
    };
    return {
        {"Low", PlayerField::Name, {{BaseLow(), "Velorin"}, {BaseLow(), "Ashgrove Deep of the Far Reach"}}},
        {"Low", PlayerField::Size,
         Each(BaseLow(), [](LowSystem& s, LowSizeClass v) { s.sizeClass = v; },
              {LowSizeClass::MinorOutpost, LowSizeClass::Outpost, LowSizeClass::MinorColony, LowSizeClass::Colony,
               LowSizeClass::MajorColony})},
        {"Low", PlayerField::Importance,
         Each(BaseLow(), [](LowSystem& s, Importance v) { s.importance = v; },
              {Importance::Unimportant, Importance::Minor, Importance::Major})},
        {"Low", PlayerField::Capacity, Each(BaseLow(), [](LowSystem& s, int v) { s.capacity = v; }, {0, 6, 14})},
        {"Low", PlayerField::Raw, Each(BaseLow(), [](LowSystem& s, int v) { s.raw = v; }, {0, 4, 13})},
        {"Low", PlayerField::Census,
         Each(BaseLow(), [](LowSystem& s, Census v) { s.census = v; }, {Census{4, 5, 6}, Census{12, 1, 19}})},
        {"Low", PlayerField::Special,
         Each(BaseLow(), [](LowSystem& s, std::string_view v) { s.special = v; },
              {std::string_view(), std::string_view("Special: None"),
               std::string_view("Special: Ancient ruins of a long lost people (Capacity +2)")})},

        {"Medium", PlayerField::Name, {{BaseMedium(), "Velorin"}, {BaseMedium(), "Ashgrove Deep of the Far Reach"}}},
        {"Medium", PlayerField::Type,
         Each(BaseMedium(), [](MediumSystem& s, MediumObjectType v) { s.objects[0].type = v; },
              {MediumObjectType::Hostile, MediumObjectType::SubTerrestrial, MediumObjectType::Terrestrial,
               MediumObjectType::GasGiant, MediumObjectType::AsteroidBelt})},
        {"Medium", PlayerField::Value,
         Each(BaseMedium(), [](MediumSystem& s, std::optional<ValueClass> v) { s.objects[0].value = v; },
              {std::optional<ValueClass>(), std::optional(ValueClass::VeryLow),
               std::optional(ValueClass::VeryHigh)})},
        {"Medium", PlayerField::Capacity, Each(BaseMedium(), [](MediumSystem& s, int v) { s.objects[0].capacity = v; }, {1, 5, 12})},
        {"Medium", PlayerField::Raw, Each(BaseMedium(), [](MediumSystem& s, int v) { s.objects[0].raw = v; }, {1, 3, 11})},
        {"Medium", PlayerField::Census,
         Each(BaseMedium(), [](MediumSystem& s, Census v) { s.objects[0].census = v; },
              {Census{3, 4, 5}, Census{11, 0, 17}})},
        {"Medium", PlayerField::Special,
         Each(BaseMedium(), [](MediumSystem& s, std::string_view v) { s.objects[0].special = v; },
              {std::string_view(), std::string_view("Special: None"),
               std::string_view("Special: Ancient ruins/Pirate haven (Raw +3)")})},
        {"Medium", PlayerField::Moons,
         Each(BaseMedium(), [](MediumSystem& s, const Texts& v) { s.objects[0].moons = v; },
              {Texts{}, Texts{"Inaccessible"},
               Texts{"Inaccessible", "Moon causes severe tidal forces", "Inaccessible", "Inaccessible"}})},

        {"High", PlayerField::Name, {{BaseHigh(), "Velorin"}, {BaseHigh(), "Ashgrove Deep of the Far Reach"}}},
        {"High", PlayerField::Stars,
         Each(BaseHigh(), [](HighSystem& s, const std::vector<Star>& v) { s.components[0].stars = v; },
              {std::vector<Star>{{StarColour::Yellow, StarSize::MainSequence}},
               std::vector<Star>{{StarColour::Red, StarSize::Giant}},
               std::vector<Star>{{StarColour::BlueB, StarSize::Supergiant}, {StarColour::White, StarSize::MainSequence}}})},
        {"High", PlayerField::Type,
         Each(BaseHigh(), [](HighSystem& s, HighObjectType v) { FirstObject(s).type = v; },
              {HighObjectType::Asteroid, HighObjectType::GasGiant, HighObjectType::Hostile,
               HighObjectType::SubTerrestrial, HighObjectType::Terrestrial})},
        {"High", PlayerField::Size,
         Each(BaseHigh(), [](HighSystem& s, HighObjectSize v) { FirstObject(s).size = v; },
              {HighObjectSize::Tiny, HighObjectSize::Small, HighObjectSize::Medium, HighObjectSize::Large,
               HighObjectSize::Huge, HighObjectSize::HugeCapacity7, HighObjectSize::HugeCapacity8})},
        // A Huge body's three sizes are its Capacity 6, 7 and 8 under one name.
        {"High", PlayerField::Capacity,
         Each(BaseHigh(),
              [](HighSystem& s, std::pair<HighObjectSize, int> v) {
                  FirstObject(s).size = v.first;
                  FirstObject(s).capacity = v.second;
                  FirstObject(s).moons[0].capacity = v.second - 5;
              },
              {std::pair(HighObjectSize::Huge, 6), std::pair(HighObjectSize::HugeCapacity7, 7),
               std::pair(HighObjectSize::HugeCapacity8, 8)})},
        {"High", PlayerField::Raw,
         Each(BaseHigh(),
              [](HighSystem& s, int v) {
                  FirstObject(s).raw = v;
                  FirstObject(s).moons[1].raw = v - 1;
              },
              {1, 3, 12})},
        {"High", PlayerField::Census,
         Each(BaseHigh(), [](HighSystem& s, Census v) { FirstObject(s).census = v; }, {Census{3, 4, 5}, Census{11, 0, 17}})},
        {"High", PlayerField::Special,
         Each(BaseHigh(),
              [](HighSystem& s, Gaia v) {
                  FirstObject(s).specialRoll = v.roll;
                  FirstObject(s).special = v.text;
                  FirstObject(s).gaiaWorld = v.gaiaWorld;
              },
              {Gaia{2, "Special: None", false}, Gaia{13, "Special: Gaia World/Splinter Colony", true},
               Gaia{7, "Special: Rich deposits of rare metals (Raw +3)", false}})},
        // Without census, a Gaia World's colony would tell its special.
        {"High without census", PlayerField::Special,
         Each(WithoutCensus(BaseHigh()),
              [](HighSystem& s, Gaia v) {
                  FirstObject(s).specialRoll = v.roll;
                  FirstObject(s).special = v.text;
                  FirstObject(s).gaiaWorld = v.gaiaWorld;
              },
              {Gaia{2, "Special: None", false}, Gaia{13, "Special: Gaia World/Splinter Colony", true}})},
        {"High", PlayerField::Moons,
         Each(BaseHigh(), [](HighSystem& s, const Moons& v) { FirstObject(s).moons = v; },
              {Moons{}, Moons{{1, 1}}, Moons{{1, 1}, {0, 0}, {2, 3}, {1, 0}, {0, 2}}})},
    };
}

}  // namespace nexmar::testing
