#pragma once

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace nexmar {

// What the generators decide, as plain data. A record holds no tree item and
// no report text: renderers turn it into either.

enum class DetailLevel { Low, Medium, High };
std::string_view DetailLevelName(DetailLevel level);

// The zone of an object: at Medium detail its place in the system's layout,
// at High detail its place around its component.
enum class OrbitZone { Inner, Habitable, Outer };
inline constexpr OrbitZone kOrbitZones[] = {OrbitZone::Inner, OrbitZone::Habitable, OrbitZone::Outer};
std::string_view OrbitZoneName(OrbitZone zone);

// Census, Morale and Productivity: present only with the census option.
struct CensusValues {
    int census = 0;
    int morale = 0;
    int productivity = 0;
    bool operator==(const CensusValues&) const = default;
};

// --- Low detail ---

enum class LowSizeClass { MinorOutpost, Outpost, MinorColony, Colony, MajorColony };
std::string_view LowSizeClassName(LowSizeClass size);

enum class Importance { Unimportant, Minor, Major };
std::string_view ImportanceName(Importance importance);

struct LowSystem {
    LowSizeClass sizeClass = LowSizeClass::MinorOutpost;
    Importance importance = Importance::Unimportant;
    int capacity = 0;
    int raw = 0;
    std::string_view special;
    std::optional<CensusValues> census;
    bool operator==(const LowSystem&) const = default;
};

// --- Medium detail ---

enum class MediumObjectType { Hostile, SubTerrestrial, Terrestrial, GasGiant, AsteroidBelt };
std::string_view MediumObjectTypeName(MediumObjectType type);

enum class ValueClass { None, VeryLow, Low, Moderate, High, VeryHigh };
std::string_view ValueClassName(ValueClass value);

struct MediumObject {
    OrbitZone zone = OrbitZone::Inner;
    MediumObjectType type = MediumObjectType::Hostile;
    std::optional<ValueClass> value;  // absent: the type has no value class
    int capacity = 0;
    int raw = 0;
    std::string_view special;
    std::vector<std::string_view> moons;  // one result per moon, in the order rolled
    std::optional<CensusValues> census;
    bool operator==(const MediumObject&) const = default;
};

// Objects in slot order: Inner first, then Habitable, then Outer.
struct MediumSystem {
    std::vector<MediumObject> objects;
    bool operator==(const MediumSystem&) const = default;
};

// --- High detail ---

// The colour of a star. BlueB and BlueA are both "Blue" but differ in
// spectral letter, size modifier and zones.
enum class StarColour { ExtremelyHotBlue, BlueB, BlueA, White, Yellow, Orange, Red };
std::string_view StarColourName(StarColour colour);
std::string_view SpectralLetter(StarColour colour);

// The size class of a star, from the largest to the smallest.
enum class StarSize { Supergiant, BrightGiant, Giant, SubGiant, MainSequence };
std::string_view StarSizeName(StarSize size);
std::string_view LuminosityNumeral(StarSize size);

enum class HighObjectType { Asteroid, GasGiant, Hostile, SubTerrestrial, Terrestrial };
std::string_view HighObjectTypeName(HighObjectType type);

// The three Huge sizes differ only in Capacity; only a Gas Giant grows beyond
// the first.
enum class HighObjectSize { Tiny, Small, Medium, Large, Huge, HugeCapacity7, HugeCapacity8 };
std::string_view HighObjectSizeName(HighObjectSize size);

struct Star {
    StarColour colour = StarColour::Red;
    StarSize size = StarSize::MainSequence;
    bool operator==(const Star&) const = default;
};

struct HighMoon {
    int capacity = 0;
    int raw = 0;
    bool operator==(const HighMoon&) const = default;
};

struct HighObject {
    OrbitZone zone = OrbitZone::Inner;
    HighObjectType type = HighObjectType::Asteroid;
    HighObjectSize size = HighObjectSize::Tiny;
    int capacity = 0;
    int raw = 0;
    int specialRoll = 0;
    std::string_view special;
    // A Gaia World's colony, shown even without the census option.
    bool gaiaWorld = false;
    std::optional<CensusValues> census;
    std::vector<HighMoon> moons;
    bool operator==(const HighObject&) const = default;
};

// A single star or a close pair under one letter; only the first star shapes
// the objects, which are in zone order.
struct StarComponent {
    char letter = 'A';
    std::vector<Star> stars;
    std::vector<HighObject> objects;
    bool operator==(const StarComponent&) const = default;
};

struct HighSystem {
    std::vector<StarComponent> components;
    bool operator==(const HighSystem&) const = default;
};

// --- Any level ---

// One system's record: a run has one level, and every system of it a record
// of that level.
using SystemRecord = std::variant<LowSystem, MediumSystem, HighSystem>;
inline DetailLevel LevelOf(const SystemRecord& system)
{
    return static_cast<DetailLevel>(system.index());  // the variant lists the levels in order
}

}  // namespace nexmar
