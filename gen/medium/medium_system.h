#pragma once

#include "core/dice.h"
#include "gen/medium/medium_rows.h"
#include "gen/records.h"

namespace nexmar {

// One Medium-detail system: its layout roll and every object of the layout.
MediumSystem GenerateMediumSystem(Dice& dice, bool census);

// Whether a row of the layout table gives these counts of objects by zone.
bool MediumLayoutGives(int inner, int habitable, int outer);
// The most objects a row of the layout table gives.
inline constexpr int kMediumMostObjects = medium::MostObjectsOfAnyLayout();

}  // namespace nexmar
