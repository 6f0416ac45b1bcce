#pragma once

#include "core/result_tree.h"

namespace nexmar {

// The tree's images, by their index in the image list the views load. The
// asteroid field is in the list but no item uses it.
enum class TreeImage : int {
    System = 0,
    YellowStar = 1,
    GreenObject = 2,
    Moon = 3,
    AsteroidField = 4,
    Blank = 5,
    RedObject = 6,
    BlueObject = 7,
    BlueStar = 8,
    RedStar = 9,
    WhiteStar = 10,
    OrangeStar = 11,
};
inline constexpr int kTreeImageCount = 12;
constexpr int ImageIndex(TreeImage image) { return static_cast<int>(image); }

}  // namespace nexmar
