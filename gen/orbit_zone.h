#pragma once

#include "core/result_tree.h"

namespace nexmar {

// The zone of an object: at Medium detail its place in the system's layout,
// at High detail its place around its component.
enum OrbitZone : int { Inner = 1, Habitable = 2, Outer = 3 };

// Font colour of the zone's HTML cells, written after a number sign.
constexpr const char* ZoneColour(OrbitZone zone)
{
    switch (zone) {
    case Inner:
        return "FF0000";
    case Habitable:
        return "009900";
    case Outer:
        return "0000FF";
    }
    return "000000";
}

// Tree image of the zone's object items.
constexpr int ZoneImage(OrbitZone zone)
{
    switch (zone) {
    case Inner:
        return ImgRedObject;
    case Habitable:
        return ImgGreenObject;
    case Outer:
        return ImgBlueObject;
    }
    return ImgBlank;
}

}  // namespace nexmar
