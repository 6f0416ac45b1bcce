#pragma once

#include <string>

#include "core/hex_place.h"

namespace nexmar {

// The hobby's hex grid: a sector is 32 columns by 40 rows, cut into 16
// subsectors of 8 by 10 lettered A to P row by row. Hexes are flat-topped
// and each even column sits half a hex lower than the odd ones beside it.
inline constexpr int kSectorColumns = 32;
inline constexpr int kSectorRows = 40;
inline constexpr int kSubsectorColumns = 8;
inline constexpr int kSubsectorRows = 10;
inline constexpr int kSubsectorsAcross = kSectorColumns / kSubsectorColumns;  // 4
inline constexpr int kSubsectorsPerSector = kSubsectorsAcross * (kSectorRows / kSubsectorRows);  // 16
inline constexpr int kHexesPerSubsector = kSubsectorColumns * kSubsectorRows;  // 80
inline constexpr int kHexesPerSector = kSectorColumns * kSectorRows;  // 1280

// The number of hexes a ship crosses from one hex to another: on the grid's
// true geometry, the one distance every rule of the map uses.
int HexDistance(HexPlace from, HexPlace to);

// Where a hex lies in its sector.
int SectorColumnOf(HexPlace place);  // 1 to 32
int SectorRowOf(HexPlace place);     // 1 to 40
// The hex's number in its sector, "CCRR" ("0304": column 3, row 4).
std::string HexNumber(HexPlace place);
// Its subsector's letter, 'A' to 'P'.
char SubsectorLetter(HexPlace place);

// The six hexes sharing an edge with place, those off the grid's top or left
// edge included (rows and columns below 1): clockwise from the one above.
void HexNeighbours(HexPlace place, HexPlace (&neighbours)[6]);

}  // namespace nexmar
