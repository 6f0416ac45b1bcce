#include "json/private/json_checks.h"

#include "json/json_format.h"

namespace nexmar {

using namespace json_field;
using Value = JsonValue;

void CheckCensus(const Value& object, const CensusValues& expected)
{
    object.At(kCensus).Int(expected.census, expected.census);
    object.At(kMorale).Int(expected.morale, expected.morale);
    object.At(kProductivity).Int(expected.productivity, expected.productivity);
}

// An object's zone, which never comes before the zone of the object above it.
OrbitZone ReadZone(const Value& object, std::optional<OrbitZone> previousZone)
{
    const Value zone = object.At(kZone);
    const OrbitZone read = zone.Named(kOrbitZones, OrbitZoneName);
    if (previousZone && read < *previousZone) {
        zone.Expected("the zones in the order Inner, Habitable, Outer");
    }
    return read;
}

}  // namespace nexmar
