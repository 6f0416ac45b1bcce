#pragma once

#include <QString>

namespace nexmar {

struct MapSystem;

// A system's tooltip on the map, as the map file's own tooltip gives it:
// the number, the name the audience knows, the hex; then line, the tree's
// line of the system, where there is one. Rich text that shows every
// character of a name as typed.
QString MapToolTip(const MapSystem& system, const QString& line);

}  // namespace nexmar
