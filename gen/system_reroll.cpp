#include "gen/system_reroll.h"

#include "gen/high/high_system.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_system.h"

namespace nexmar {

LowSystem RerollLowSystem(int number, bool census, Seed seed, const HouseRules* rules)
{
    SeededDice dice(seed);
    return number == 1 ? GenerateFirstLowSystem(dice, census, rules) : GenerateLowSystem(dice, census, rules);
}

MediumSystem RerollMediumSystem(bool census, Seed seed)
{
    SeededDice dice(seed);
    return GenerateMediumSystem(dice, census);
}

HighSystem RerollHighSystem(bool census, Seed seed)
{
    SeededDice dice(seed);
    return GenerateHighSystem(dice, census);
}

}  // namespace nexmar
