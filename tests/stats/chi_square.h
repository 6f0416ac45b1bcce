#pragma once

#include <functional>
#include <map>
#include <string>

#include "core/dice.h"
#include "run/generation_run.h"

namespace nexmar::stats {

// Below this p-value the observed frequencies do not follow the tables. The
// seeds are fixed, so a sound generator passes every time; a wrong range or
// a swapped die moves p far below it at these sample sizes.
inline constexpr double kFailBelow = 1e-6;

// The probability of each total of some dice.
using Odds = std::map<int, double>;

// One Roll(low, high), from the bands of source values that Roll gives each face.
Odds DieOdds(int low, int high);
Odds SumOdds(const Odds& a, const Odds& b);
Odds ShiftOdds(const Odds& odds, int by);
// Two separate d6, added.
Odds TwoD6();

// The probability that a chi-square variable with dof degrees of freedom
// exceeds statistic.
double ChiSquareSurvival(double statistic, int dof);

struct Fit {
    double statistic = 0.0;
    int dof = 0;
    double p = 1.0;
    std::string impossible;  // an outcome seen that the tables never give
    std::string Describe() const;
};

// Pearson's test of counts against expected probabilities (which need not sum to
// 1 within a group of cells; they are normalised). Cells expected fewer than five
// times are pooled into one cell.
Fit ChiSquare(const std::map<std::string, long>& observed, const std::map<std::string, double>& expected);

// Pearson's test of counts in groups, each against its own expected
// probabilities (the outcome given the group): the groups' statistics and
// degrees of freedom add up.
using Groups = std::map<std::string, std::map<std::string, long>>;
using GroupOdds = std::map<std::string, std::map<std::string, double>>;
Fit ChiSquareByGroup(const Groups& observed, const GroupOdds& expected);

// Runs systems systems of level from seed with the reports going nowhere,
// handing each finished system (with its index) to tally before dropping it.
void RunSystems(DetailLevel level, bool census, int systems, std::uint32_t seed,
                const std::function<void(const ResultTree&, ItemId system, int index)>& tally);

}  // namespace nexmar::stats
