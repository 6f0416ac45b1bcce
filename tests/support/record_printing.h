#pragma once

#include <ostream>

#include "gen/records.h"

namespace nexmar {

// Test messages name the records' values as the reports do.
inline std::ostream& operator<<(std::ostream& out, OrbitZone zone) { return out << OrbitZoneName(zone); }
inline std::ostream& operator<<(std::ostream& out, StarColour colour)
{
    return out << StarColourName(colour) << " (" << SpectralLetter(colour) << ")";
}
inline std::ostream& operator<<(std::ostream& out, StarSize size) { return out << StarSizeName(size); }
inline std::ostream& operator<<(std::ostream& out, HighObjectType type) { return out << HighObjectTypeName(type); }
inline std::ostream& operator<<(std::ostream& out, HighObjectSize size)
{
    return out << HighObjectSizeName(size) << " #" << static_cast<int>(size);
}
inline std::ostream& operator<<(std::ostream& out, MediumObjectType type)
{
    return out << MediumObjectTypeName(type);
}
inline std::ostream& operator<<(std::ostream& out, ValueClass value) { return out << ValueClassName(value); }

}  // namespace nexmar
