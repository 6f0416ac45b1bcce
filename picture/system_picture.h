#pragma once

#include <string>
#include <string_view>

#include "gen/names/visibility.h"
#include "gen/records.h"
#include "picture/svg_picture.h"

namespace nexmar {

// A picture of one system, laid out from its record alone: the same record
// gives the same picture, and so the same bytes of SVG.
//
// Low: a card with the size class and importance as its headline, Capacity,
// RAW, the census values and the special, beside a colony mark as large as
// the size class, ringed once for a Minor and twice for a Major system.
// Medium: one row across the Inner, Habitable and Outer zones, an object a
// shape by type with its moons beside it and its labels under it.
// High: a row per component, its stars by colour and size class, then its
// objects over the same three zones, each sized by its size class.
//
// Every body's shape has a class whose first word says what it is: "star",
// "object" (then its type: "gas-giant", "terrestrial", "sub-terrestrial",
// "hostile", "asteroid-belt"), "moon" or, at Low, "colony".
//
// A name, when given, follows the number in the title: "System 12: Velorin".
//
// The players' picture of a system keeps the hidden fields from them: a
// hidden value's line reads "Capacity: ?", and what the drawing itself
// would tell is left out or drawn alike for all: no moons where they are
// hidden, no Gaia World's ring where the specials are, one size of body
// where sizes are, one for the three Huge sizes where capacities are (they
// differ in Capacity alone), a hollow body marked "?" (class "unknown") where the
// kinds of bodies or stars are, no importance rings where importance is.
SystemPicture LowSystemPicture(int systemNumber, const LowSystem& system, std::string_view name = {},
                               PlayerFields hidden = {});
SystemPicture MediumSystemPicture(int systemNumber, const MediumSystem& system, std::string_view name = {},
                                  PlayerFields hidden = {});
SystemPicture HighSystemPicture(int systemNumber, const HighSystem& system, std::string_view name = {},
                                PlayerFields hidden = {});

// Whether a single system's picture carries the legend of its shapes and
// zone colours under it, as the picture sheet always does above its cells.
enum class PictureLegend { Without, Below };

// The picture of a system of any level, and its SVG document.
SystemPicture PictureOf(int systemNumber, const SystemRecord& system, std::string_view name = {},
                        PlayerFields hidden = {});
std::string SystemSvg(int systemNumber, const SystemRecord& system, std::string_view name = {},
                      PlayerFields hidden = {}, PictureLegend legend = PictureLegend::Without);

// The title of a system's picture.
std::string PictureTitle(int systemNumber, std::string_view name);

}  // namespace nexmar
