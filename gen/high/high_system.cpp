#include "gen/high/high_system.h"

namespace nexmar {

void GenerateHighSystem(GenContext&, int, ItemId) {}

}  // namespace nexmar
