#include "map/box_index.h"

#include <algorithm>
#include <cmath>

namespace nexmar {

BoxIndex::BoxIndex(const PictureBox& area, double cellSize)
    : area_(area),
      cellSize_(cellSize),
      columns_(std::max(1, static_cast<int>(std::ceil(area.width / cellSize)))),
      rows_(std::max(1, static_cast<int>(std::ceil(area.height / cellSize)))),
      cells_(static_cast<std::size_t>(columns_ * rows_))
{
}

BoxIndex::CellRange BoxIndex::CellsOf(const PictureBox& box) const
{
    // A box beyond the area is filed in the cells at its edge.
    const auto cell = [this](double offset, int count) {
        return std::clamp(static_cast<int>(std::floor(offset / cellSize_)), 0, count - 1);
    };
    return {cell(box.x - area_.x, columns_), cell(box.Right() - area_.x, columns_), cell(box.y - area_.y, rows_),
            cell(box.Bottom() - area_.y, rows_)};
}

void BoxIndex::Add(const PictureBox& box)
{
    const CellRange range = CellsOf(box);
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            cells_[static_cast<std::size_t>(row * columns_ + column)].push_back(boxes_.size());
        }
    }
    boxes_.push_back(box);
}

bool BoxIndex::Overlaps(const PictureBox& box) const
{
    const CellRange range = CellsOf(box);
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            for (const std::size_t index : cells_[static_cast<std::size_t>(row * columns_ + column)]) {
                if (boxes_[index].Overlaps(box)) {
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace nexmar
