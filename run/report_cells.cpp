#include "run/report_cells.h"

namespace nexmar {

CellFrame FrameOf(const HtmlRowLayout& layout, std::string_view colour)
{
    CellFrame frame{&layout, {}, {}, {}, {}, {}};
    frame.open[false].assign(layout.cellIndent).append("<td>");
    frame.open[true].assign(layout.cellIndent).append("<td align=\"right\">");
    if (!colour.empty()) {
        for (std::string& open : frame.open) {
            open.append("<font color=\"#").append(colour).append("\">");
        }
        frame.close.assign("</font>");
    }
    frame.close.append("</td>").append(layout.cellEnd);
    for (const bool alignRight : {false, true}) {
        frame.closeThenOpen[alignRight] = frame.close + frame.open[alignRight];
        frame.rowOpen[alignRight].assign(layout.open).append(frame.open[alignRight]);
    }
    frame.closeRow = frame.close + std::string(layout.close);
    return frame;
}

void AppendNumber(std::string& out, int value)
{
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    out.append(digits, end);
}

}  // namespace nexmar
