#pragma once

#include <vector>

#include "picture/svg_picture.h"

namespace nexmar {

// The boxes already on a map, filed by the cells of a coarse grid they
// cross, so that a box is checked against its neighbours alone: labelling
// a sector of a thousand systems stays a matter of milliseconds.
class BoxIndex {
public:
    BoxIndex(const PictureBox& area, double cellSize);
    void Add(const PictureBox& box);
    // Whether box overlaps any box added (boxes that only touch do not).
    bool Overlaps(const PictureBox& box) const;

private:
    struct CellRange {
        int firstColumn, lastColumn, firstRow, lastRow;
    };
    CellRange CellsOf(const PictureBox& box) const;

    PictureBox area_;
    double cellSize_;
    int columns_;
    int rows_;
    std::vector<PictureBox> boxes_;
    std::vector<std::vector<std::size_t>> cells_;  // indices into boxes_
};

}  // namespace nexmar
