#include "core/seed.h"

#include <random>

namespace nexmar {

Seed EntropySeed()
{
    std::random_device entropy;
    Seed seed = 0;
    while (IsShortSeed(seed)) {
        seed = (Seed{entropy()} << 32) | entropy();
    }
    return seed;
}

}  // namespace nexmar
