#pragma once

#include "core/generation_run.h"

namespace nexmar {

// One Medium-detail system: its layout roll and every object of the layout.
void GenerateMediumSystem(GenContext& context, int index, ItemId systemItem);

}  // namespace nexmar
