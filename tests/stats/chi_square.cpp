#include "stats/chi_square.h"

#include "support/scratch.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace nexmar::stats {

namespace {

// The regularised lower incomplete gamma function P(a, x) by its series, and the
// upper Q(a, x) by its continued fraction (modified Lentz), each where it converges fast.
double LowerGammaSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < 10000 && std::fabs(term) > std::fabs(sum) * 1e-16; ++n) {
        term *= x / (a + n);
        sum += term;
    }
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

double UpperGammaFraction(double a, double x)
{
    constexpr double kTiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / kTiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < 10000; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        d = std::fabs(d) < kTiny ? kTiny : d;
        c = b + an / c;
        c = std::fabs(c) < kTiny ? kTiny : c;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < 1e-16) {
            break;
        }
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

}  // namespace

Odds DieOdds(int low, int high)
{
    constexpr double kScale = 0.000030517578125;
    Odds odds;
    int accepted = 0;
    for (int source = 0; source < 32768; ++source) {
        const int face = static_cast<int>((source * kScale) * (high + 1));
        if (face >= low) {
            odds[face] += 1.0;
            ++accepted;
        }
    }
    for (auto& [face, weight] : odds) {
        weight /= accepted;
    }
    return odds;
}

Odds SumOdds(const Odds& a, const Odds& b)
{
    Odds sum;
    for (const auto& [x, px] : a) {
        for (const auto& [y, py] : b) {
            sum[x + y] += px * py;
        }
    }
    return sum;
}

Odds ShiftOdds(const Odds& odds, int by)
{
    Odds shifted;
    for (const auto& [x, p] : odds) {
        shifted[x + by] = p;
    }
    return shifted;
}

Odds TwoD6()
{
    return SumOdds(DieOdds(1, 6), DieOdds(1, 6));
}

double ChiSquareSurvival(double statistic, int dof)
{
    if (statistic <= 0.0) {
        return 1.0;
    }
    const double a = dof / 2.0;
    const double x = statistic / 2.0;
    return x < a + 1.0 ? 1.0 - LowerGammaSeries(a, x) : UpperGammaFraction(a, x);
}

std::string Fit::Describe() const
{
    std::ostringstream text;
    text << "chi-square " << statistic << " with " << dof << " degrees of freedom, p = " << p;
    if (!impossible.empty()) {
        text << "; never possible yet seen: " << impossible;
    }
    return text.str();
}

Fit ChiSquare(const std::map<std::string, long>& observed, const std::map<std::string, double>& expected)
{
    Fit fit;
    double total = 0.0;
    double weight = 0.0;
    for (const auto& [cell, count] : observed) {
        total += count;
        const auto odds = expected.find(cell);
        if (count > 0 && (odds == expected.end() || odds->second <= 0.0)) {
            fit.impossible += (fit.impossible.empty() ? "" : ", ") + cell;
        }
    }
    for (const auto& [cell, p] : expected) {
        weight += p;
    }
    double pooledSeen = 0.0;
    double pooledExpected = 0.0;
    int cells = 0;
    for (const auto& [cell, p] : expected) {
        if (p <= 0.0) {
            continue;
        }
        const double expectedCount = total * p / weight;
        const auto seen = observed.find(cell);
        const double count = seen == observed.end() ? 0.0 : static_cast<double>(seen->second);
        if (expectedCount < 5.0) {
            pooledSeen += count;
            pooledExpected += expectedCount;
            continue;
        }
        fit.statistic += (count - expectedCount) * (count - expectedCount) / expectedCount;
        ++cells;
    }
    if (pooledExpected > 0.0) {
        fit.statistic += (pooledSeen - pooledExpected) * (pooledSeen - pooledExpected) / pooledExpected;
        ++cells;
    }
    fit.dof = cells - 1;
    fit.p = fit.dof > 0 ? ChiSquareSurvival(fit.statistic, fit.dof) : 1.0;
    if (!fit.impossible.empty()) {
        fit.p = 0.0;
    }
    return fit;
}

Fit ChiSquareByGroup(const Groups& observed, const GroupOdds& expected)
{
    Fit total;
    for (const auto& [group, counts] : observed) {
        const auto odds = expected.find(group);
        const Fit fit = ChiSquare(counts, odds == expected.end() ? std::map<std::string, double>{} : odds->second);
        total.statistic += fit.statistic;
        total.dof += std::max(fit.dof, 0);
        if (!fit.impossible.empty()) {
            total.impossible += (total.impossible.empty() ? "" : ", ") + group + ": " + fit.impossible;
        }
    }
    total.p = total.impossible.empty() ? (total.dof > 0 ? ChiSquareSurvival(total.statistic, total.dof) : 1.0) : 0.0;
    return total;
}

void RunSystems(DetailLevel level, bool census, int systems, std::uint32_t seed,
                const std::function<void(const ResultTree&, ItemId system, int index)>& tally)
{
    SeededDice dice(seed);
    ResultTree tree;
    ReportFiles reports("/dev/null", "/dev/null");
    testing::RecordingNotifier notifier;
    int index = 0;
    RunGeneration({systems, level, census, systems}, dice, tree, reports, notifier,
                  [&](const ResultTree& done, ItemId system) {
                      tally(done, system, index++);
                      tree.DropFrom(system);
                  });
}

}  // namespace nexmar::stats
