#pragma once

#include "core/dice.h"
#include "gen/records.h"

namespace nexmar {

// One Medium-detail system: its layout roll and every object of the layout.
MediumSystem GenerateMediumSystem(Dice& dice, bool census);

}  // namespace nexmar
