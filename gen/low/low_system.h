#pragma once

#include "core/generation_run.h"

namespace nexmar {

// One Low-detail system: a size and importance class, Capacity, RAW, a
// special result and, with the census option, Census, Morale and
// Productivity. Exactly four Roll(1, 6) per system.
void GenerateLowSystem(GenContext& context, int index, ItemId systemItem);

}  // namespace nexmar
