#pragma once

#include <algorithm>
#include <iterator>

// The rows that group a High system's stars into components, next to the
// rule that reads them: the roll, its odds and the reader's bounds all read
// them here.
namespace nexmar::high {

enum class Component { None, Single, Pair };

// By one d4: the components of a multiple system, in order, as A, B and C.
inline constexpr Component kMultipleComponents[4][3] = {
    /* 1 */ {Component::Pair, Component::Single, Component::None},
    /* 2 */ {Component::Pair, Component::Pair, Component::None},
    /* 3 */ {Component::Pair, Component::Pair, Component::Single},
    /* 4 */ {Component::Pair, Component::Pair, Component::Pair},
};

// A system's star d10 up to 7 gives a single star, 8 and 9 a close pair,
// and 10 a multiple system of the components its d4 chooses.
inline constexpr Component kSingleSystem[3] = {Component::Single, Component::None, Component::None};
inline constexpr Component kPairSystem[3] = {Component::Pair, Component::None, Component::None};
inline constexpr int kMultipleFace = 10;

constexpr const Component (&ComponentsFor(int starFace, int multipleFace))[3]
{
    if (starFace >= kMultipleFace) {
        return kMultipleComponents[multipleFace - 1];
    }
    return starFace <= 7 ? kSingleSystem : kPairSystem;
}

// The stars of one component.
constexpr int StarsOf(Component component)
{
    return component == Component::Pair ? 2 : component == Component::Single ? 1 : 0;
}

// Calls visit(components) for every result of the star dice: the d10, and
// for a multiple system the d4.
template <class Visit>
constexpr void ForEachComponentRoll(Visit&& visit)
{
    for (int starFace = 1; starFace <= 10; ++starFace) {
        const int multipleFaces = starFace >= kMultipleFace ? 4 : 1;
        for (int multipleFace = 1; multipleFace <= multipleFaces; ++multipleFace) {
            visit(ComponentsFor(starFace, multipleFace));
        }
    }
}

// The most components, and the most stars in one, that the star dice give.
constexpr int MostComponents()
{
    int most = 0;
    ForEachComponentRoll([&most](const Component (&components)[3]) {
        most = std::max(most, static_cast<int>(std::count_if(std::begin(components), std::end(components),
                                                             [](Component c) { return c != Component::None; })));
    });
    return most;
}
constexpr int MostStarsInAComponent()
{
    int most = 0;
    ForEachComponentRoll([&most](const Component (&components)[3]) {
        for (const Component component : components) {
            most = std::max(most, StarsOf(component));
        }
    });
    return most;
}

}  // namespace nexmar::high
