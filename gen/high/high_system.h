#pragma once

#include "core/generation_run.h"

namespace nexmar {

// One High-detail system: its stars, their components, objects and moons.
void GenerateHighSystem(GenContext& context, int index, ItemId systemItem);

}  // namespace nexmar
