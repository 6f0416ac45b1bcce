#include "gen/medium/medium_system.h"

namespace nexmar {

void GenerateMediumSystem(GenContext&, int, ItemId) {}

}  // namespace nexmar
