#include "app/printing/column_places.h"

#include <QFontMetrics>

#include <algorithm>

#include "players/print_table.h"

namespace nexmar {

QString CellText(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ColumnPlaces PlaceColumns(const std::vector<PrintColumn>& columns, const std::vector<PrintRow>& rows,
                          const QFontMetrics& body, const QFontMetrics& bold, int pageWidth, int pad)
{
    const int slack = body.averageCharWidth() / 4;
    const std::size_t count = columns.size();
    std::vector<int> natural(count);
    for (std::size_t c = 0; c < count; ++c) {
        natural[c] = bold.horizontalAdvance(CellText(columns[c].heading));
    }
    for (const PrintRow& row : rows) {
        // A cell spanning to the end claims no column's width.
        const std::size_t claiming = row.cells.size() == count ? count : row.cells.size() - 1;
        for (std::size_t c = 0; c < claiming; ++c) {
            natural[c] = std::max(natural[c], body.horizontalAdvance(CellText(row.cells[c])));
        }
    }
    int fixed = 0;
    int wrapping = 0;
    for (std::size_t c = 0; c < count; ++c) {
        // Printed text can come out a little wider than measured.
        natural[c] += 2 * pad + slack;
        (columns[c].wraps ? wrapping : fixed) += natural[c];
    }
    // Room to spare goes to every column alike, up to two characters a column.
    if (fixed + wrapping < pageWidth) {
        const int extra = std::min((pageWidth - fixed - wrapping) / static_cast<int>(count), 2 * slack * 4);
        for (std::size_t c = 0; c < count; ++c) {
            natural[c] += extra;
            (columns[c].wraps ? wrapping : fixed) += extra;
        }
    }
    const int room = std::max(pageWidth - fixed, 0);
    ColumnPlaces places;
    int left = 0;
    for (std::size_t c = 0; c < count; ++c) {
        int width = natural[c];
        if (columns[c].wraps && wrapping > room) {
            width = static_cast<int>(static_cast<long long>(room) * natural[c] / std::max(wrapping, 1));
        }
        places.lefts.push_back(left);
        places.widths.push_back(width);
        left += width;
    }
    places.widths.back() = std::max(places.widths.back(), pageWidth - places.lefts.back());
    return places;
}

}  // namespace nexmar
