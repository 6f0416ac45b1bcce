#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nexmar::invariants {

// A strict reader of comma-separated text as any CSV reader takes it: a
// field is bare or wholly between double quotes (an inner quote doubled);
// every record ends with a line feed.
struct CsvText {
    std::vector<std::vector<std::string>> records;
    std::string error;  // empty when the text is well formed
};
CsvText ReadCsv(std::string_view text);

// The tables of an HTML page, read as a browser lays them out: each <tr> is
// a row, and header cells that stand in a table outside any <tr> form one
// row of their own. A cell keeps its text without tags and the colour of
// the font element around it, if any.
struct HtmlCell {
    bool header = false;
    std::string text;
    std::string colour;
};
using HtmlRow = std::vector<HtmlCell>;
struct HtmlTable {
    std::vector<HtmlRow> rows;
};
struct HtmlPage {
    std::vector<HtmlTable> tables;
    std::vector<std::string> headings;  // the text of each <p> or <br> line outside tables, in order
    std::string error;                  // empty when tags nest and close properly
};
HtmlPage ReadHtml(std::string_view html);

}  // namespace nexmar::invariants
