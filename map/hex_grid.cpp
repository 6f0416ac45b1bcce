#include "map/hex_grid.h"

#include <cstdlib>

namespace nexmar {

namespace {

// Axial coordinates of the grid: q runs along the columns, a along the
// diagonal a column's half-hex drop makes, so that the six neighbours of
// every hex differ from it by the same six steps.
struct Axial {
    int q;
    int a;
};

Axial AxialOf(HexPlace place)
{
    return {place.column, place.row - (place.column + 1) / 2};
}

}  // namespace

int HexDistance(HexPlace from, HexPlace to)
{
    const Axial f = AxialOf(from);
    const Axial t = AxialOf(to);
    const int dq = t.q - f.q;
    const int da = t.a - f.a;
    return (std::abs(dq) + std::abs(da) + std::abs(dq + da)) / 2;
}

int SectorColumnOf(HexPlace place)
{
    return (place.column - 1) % kSectorColumns + 1;
}

int SectorRowOf(HexPlace place)
{
    return (place.row - 1) % kSectorRows + 1;
}

std::string HexNumber(HexPlace place)
{
    const int column = SectorColumnOf(place);
    const int row = SectorRowOf(place);
    return {static_cast<char>('0' + column / 10), static_cast<char>('0' + column % 10),
            static_cast<char>('0' + row / 10), static_cast<char>('0' + row % 10)};
}

char SubsectorLetter(HexPlace place)
{
    const int across = (SectorColumnOf(place) - 1) / kSubsectorColumns;
    const int down = (SectorRowOf(place) - 1) / kSubsectorRows;
    return static_cast<char>('A' + down * kSubsectorsAcross + across);
}

void HexNeighbours(HexPlace place, HexPlace (&neighbours)[6])
{
    // An odd column is the higher one: its neighbours to either side are
    // level with it and half a hex above; an even column's, level and below.
    const int side = place.column % 2 == 1 ? -1 : 0;
    const int c = place.column;
    const int r = place.row;
    neighbours[0] = {c, r - 1};
    neighbours[1] = {c + 1, r + side};
    neighbours[2] = {c + 1, r + side + 1};
    neighbours[3] = {c, r + 1};
    neighbours[4] = {c - 1, r + side + 1};
    neighbours[5] = {c - 1, r + side};
}

}  // namespace nexmar
