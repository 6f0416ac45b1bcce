#include "model/seed_source.h"

#include <utility>

namespace nexmar {

Seed SeedSource::Next()
{
    if (first_) {
        return *std::exchange(first_, std::nullopt);
    }
    return sequence_ ? sequence_->NextSeed() : EntropySeed();
}

}  // namespace nexmar
