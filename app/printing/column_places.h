#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <vector>

class QFontMetrics;

namespace nexmar {

struct PrintColumn;
struct PrintRow;

// A printed cell's text: the records hold UTF-8.
QString CellText(const std::string& text);

// Where a table's columns go across the page: each as wide as its widest
// cell, the columns that wrap sharing what room is left, and the last one
// reaching the page's right edge.
struct ColumnPlaces {
    std::vector<int> lefts;
    std::vector<int> widths;

    // The width of cell of a row with cells cells: the last one takes the
    // room of the columns the row lacks.
    int WidthOf(std::size_t cell, std::size_t cells) const
    {
        return cell + 1 == cells ? lefts.back() + widths.back() - lefts[cell] : widths[cell];
    }
};

// The places of columns for rows on a page pageWidth wide, each cell padded
// by pad on either side; body measures the cells, bold the headings.
ColumnPlaces PlaceColumns(const std::vector<PrintColumn>& columns, const std::vector<PrintRow>& rows,
                          const QFontMetrics& body, const QFontMetrics& bold, int pageWidth, int pad);

}  // namespace nexmar
