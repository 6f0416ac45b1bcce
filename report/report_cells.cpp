#include "report/report_cells.h"

namespace nexmar {

CellFrame FrameOf(const HtmlRowLayout& layout, std::string_view colour)
{
    std::string open[2];  // by alignRight
    std::string close;
    open[false].assign(layout.cellIndent).append("<td>");
    open[true].assign(layout.cellIndent).append("<td align=\"right\">");
    if (!colour.empty()) {
        for (std::string& text : open) {
            text.append("<font color=\"#").append(colour).append("\">");
        }
        close.assign("</font>");
    }
    close.append("</td>").append(layout.cellEnd);
    CellFrame frame;
    for (const bool alignRight : {false, true}) {
        frame.closeThenOpen[alignRight] = close + open[alignRight];
        frame.rowOpen[alignRight].assign(layout.open).append(open[alignRight]);
    }
    frame.closeRow = close + std::string(layout.close);
    return frame;
}

}  // namespace nexmar
