#include "invariants/report_reading.h"

#include <cctype>

namespace nexmar::invariants {

CsvText ReadCsv(std::string_view text)
{
    CsvText csv;
    std::vector<std::string> record;
    std::string field;
    std::size_t i = 0;
    const auto fail = [&](const char* what) {
        csv.error = std::string(what) + " in record " + std::to_string(csv.records.size() + 1);
        return csv;
    };
    while (i < text.size()) {
        field.clear();
        if (text[i] == '"') {
            ++i;
            while (true) {
                if (i >= text.size()) {
                    return fail("unterminated quoted field");
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n') {
                return fail("text after a closing quote");
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\n') {
                if (text[i] == '"' || text[i] == '\r') {
                    return fail("a quote or carriage return inside a bare field");
                }
                field += text[i++];
            }
        }
        record.push_back(field);
        if (i >= text.size()) {
            return fail("no line feed at the end");
        }
        if (text[i++] == '\n') {
            csv.records.push_back(std::move(record));
            record.clear();
        }
    }
    return csv;
}

namespace {

struct Tag {
    std::string name;  // lower case, with a leading '/' when closing
    std::string colour;
};

Tag ReadTag(std::string_view inside)
{
    Tag tag;
    std::size_t i = 0;
    while (i < inside.size() && !std::isspace(static_cast<unsigned char>(inside[i]))) {
        tag.name += static_cast<char>(std::tolower(static_cast<unsigned char>(inside[i++])));
    }
    const std::size_t colour = inside.find("color=\"", i);
    if (colour != std::string_view::npos) {
        const std::size_t start = colour + 7;
        const std::size_t end = inside.find('"', start);
        tag.colour = std::string(inside.substr(start, end == std::string_view::npos ? end : end - start));
    }
    return tag;
}

bool Blank(std::string_view text)
{
    for (const char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

}  // namespace

HtmlPage ReadHtml(std::string_view html)
{
    HtmlPage page;
    int htmlOpen = 0;
    int bodyOpen = 0;
    bool inTable = false;
    bool inRow = false;
    bool looseHeaderRow = false;  // header cells outside any <tr>
    bool inCell = false;
    bool inHeading = false;
    std::vector<std::string> fonts;  // colours of the open font elements
    HtmlCell cell;

    const auto fail = [&](const std::string& what, std::size_t at) {
        page.error = what + " at byte " + std::to_string(at);
        return page;
    };
    const auto endLooseRow = [&] { looseHeaderRow = false; };

    std::size_t i = 0;
    while (i < html.size()) {
        const std::size_t open = html.find('<', i);
        const std::string_view text = html.substr(i, open == std::string_view::npos ? open : open - i);
        if (inCell) {
            cell.text += text;
        } else if (inHeading) {
            const std::size_t lineEnd = text.find('\n');
            page.headings.back() += text.substr(0, lineEnd);
            inHeading = lineEnd == std::string_view::npos;
        } else if (inTable && !Blank(text)) {
            return fail("text outside the cells of a table", i);
        }
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t close = html.find('>', open);
        if (close == std::string_view::npos) {
            return fail("an unclosed tag", open);
        }
        const Tag tag = ReadTag(html.substr(open + 1, close - open - 1));
        i = close + 1;

        if (tag.name == "html") {
            ++htmlOpen;
        } else if (tag.name == "/html") {
            --htmlOpen;
        } else if (tag.name == "body") {
            ++bodyOpen;
        } else if (tag.name == "/body") {
            --bodyOpen;
        } else if (tag.name == "table") {
            if (inTable) {
                return fail("a table inside a table", open);
            }
            inTable = true;
            inHeading = false;
            page.tables.emplace_back();
        } else if (tag.name == "/table") {
            if (!inTable || inRow || inCell) {
                return fail("</table> with a row or cell open, or no table", open);
            }
            endLooseRow();
            inTable = false;
        } else if (tag.name == "tr") {
            if (!inTable || inRow || inCell) {
                return fail("<tr> outside a table or inside a row", open);
            }
            endLooseRow();
            inRow = true;
            page.tables.back().rows.emplace_back();
        } else if (tag.name == "/tr") {
            if (!inRow || inCell) {
                return fail("</tr> without its row, or with a cell open", open);
            }
            inRow = false;
        } else if (tag.name == "td" || tag.name == "th") {
            if (!inTable || inCell) {
                return fail("a cell outside a table or inside a cell", open);
            }
            const bool header = tag.name == "th";
            if (!inRow) {
                if (!header) {
                    return fail("a data cell outside a row", open);
                }
                if (!looseHeaderRow) {
                    page.tables.back().rows.emplace_back();
                    looseHeaderRow = true;
                }
            }
            inCell = true;
            cell = HtmlCell{header, {}, {}};
        } else if (tag.name == "/td" || tag.name == "/th") {
            if (!inCell || cell.header != (tag.name == "/th")) {
                return fail("a cell closed that is not open", open);
            }
            if (!fonts.empty()) {
                return fail("a cell closed inside a font element", open);
            }
            inCell = false;
            page.tables.back().rows.back().push_back(cell);
        } else if (tag.name == "font") {
            fonts.push_back(tag.colour);
            if (inCell && !tag.colour.empty()) {
                cell.colour = tag.colour;
            }
        } else if (tag.name == "/font") {
            if (fonts.empty()) {
                return fail("</font> without its font", open);
            }
            fonts.pop_back();
        } else if (tag.name == "p" || tag.name == "br") {
            if (inTable) {
                return fail("a paragraph inside a table", open);
            }
            inHeading = true;
            page.headings.emplace_back();
        }
    }
    if (inTable || inRow || inCell || !fonts.empty()) {
        return fail("a table, row, cell or font left open", html.size());
    }
    if (htmlOpen != 0 || bodyOpen != 0) {
        return fail("<html> or <body> not closed exactly once", html.size());
    }
    return page;
}

}  // namespace nexmar::invariants
