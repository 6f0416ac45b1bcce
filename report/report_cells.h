#pragma once

#include <algorithm>
#include <charconv>
#include <deque>
#include <functional>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/report_files.h"

namespace nexmar {

// How the report writer describes a table: each column once, from which the
// text row and the HTML row are both written.

// One column of a table: its header and how a row's cell is written. A cell
// is either a number, which the text report never needs to quote, or plain
// text, which the writer quotes for the text report; the HTML report frames
// either.
template <class Row>
struct Column {
    std::string_view header;
    int (*number)(const Row& row) = nullptr;
    void (*text)(std::string& out, const Row& row) = nullptr;
    bool alignRight = false;  // HTML only
    // The text never holds a comma or a double quote (a label of digits,
    // letters and dots): the text report takes it as it stands, unscanned.
    bool quoteFree = false;
};

template <class Row, std::size_t N>
constexpr bool EachCellIsANumberOrAText(const Column<Row> (&columns)[N])
{
    return std::all_of(std::begin(columns), std::end(columns),
                       [](const Column<Row>& column) { return (column.number == nullptr) != (column.text == nullptr); });
}

// How a table's HTML rows are laid out.
struct HtmlRowLayout {
    std::string_view open;
    std::string_view cellIndent;
    std::string_view cellEnd;
    std::string_view close;
};

// What surrounds each cell of a row with one layout and one font colour,
// where a cell's HTML opens (by its alignRight) and closes. The HTML between
// two cells, and around the first and last cell of a row, is kept joined, so
// that a row takes one append per cell rather than three.
struct CellFrame {
    std::string closeThenOpen[2];  // a cell's close, then the next cell's open
    std::string rowOpen[2];  // the layout's open, then the first cell's open
    std::string closeRow;  // the last cell's close, then the layout's close
};

// colour empty: cells without a font colour.
CellFrame FrameOf(const HtmlRowLayout& layout, std::string_view colour);

struct TableHeader {
    std::string text;
    std::string html;
};

// The header of a table of a label column followed by the columns of a form.
template <class Row, class Form, std::size_t N>
TableHeader HeaderOf(const Column<Row> (&label)[1], const Column<Form> (&formColumns)[N])
{
    TableHeader header{{}, "<table cellpadding=\"1\" border=\"1\">\n\t"};
    const auto add = [&header](std::string_view name) {
        if (!header.text.empty()) {
            header.text += ',';
        }
        header.text += name;
        header.html.append("<th>").append(name).append("</th>");
    };
    add(label[0].header);
    for (const Column<Form>& column : formColumns) {
        add(column.header);
    }
    header.text += '\n';
    header.html += '\n';
    return header;
}

inline void AppendNumber(std::string& out, int value)
{
    // Most numbers in labels (a slot, an object's or a moon's) have one digit.
    if (value >= 0 && value < 10) {
        out += static_cast<char>('0' + value);
        return;
    }
    char digits[16];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr);
}

// A number's decimal digits, put together once for all the rows that show it.
class NumberText {
public:
    explicit NumberText(int value) : end_(std::to_chars(std::begin(digits_), std::end(digits_), value).ptr) {}
    NumberText(const NumberText&) = delete;
    NumberText& operator=(const NumberText&) = delete;
    std::string_view View() const { return {digits_, end_}; }

private:
    char digits_[16];
    const char* end_;
};

// Appends the cells of columns, each after a comma in the text report unless
// it opens the row. In the HTML report the first cell's open is taken from
// firstOpen (by its alignRight), each later cell's from frame, after the close
// of the cell before; the last cell is left open, for the caller to close.
template <class Row>
void AppendFramedCells(std::span<const Column<Row>> columns, bool opensRow, const std::string (&firstOpen)[2],
                       const CellFrame& frame, const Row& row, std::string& text, std::string& html)
{
    const std::string* open = firstOpen;
    for (const Column<Row>& column : columns) {
        if (!opensRow || &column != columns.data()) {
            text += ',';
        }
        html.append(open[column.alignRight]);
        open = frame.closeThenOpen;
        if (column.number) {
            char digits[16];
            const auto end = std::to_chars(std::begin(digits), std::end(digits), column.number(row)).ptr;
            html.append(digits, end);
            text.append(digits, end);
        } else {
            // The cell is written into the HTML row and copied from there.
            const std::size_t cellStart = html.size();
            column.text(html, row);
            const std::string_view cell = std::string_view(html).substr(cellStart);
            if (column.quoteFree) {
                text.append(cell);
            } else {
                AppendCsvField(text, cell);
            }
        }
    }
}

// The cells that follow a row's first cell, put together once for each form
// they take and copied after each first cell: rows whose other cells depend on
// a few fields of their record take few forms.
struct RowEnd {
    std::string text;
    std::string html;
};

// Puts together the end of row: the close of its first cell, the cells of
// columns, which follow it, and what closes the row.
template <class Row>
void FillRowEnd(std::span<const Column<Row>> columns, const CellFrame& frame, const Row& row, RowEnd& end)
{
    AppendFramedCells<Row>(columns, false, frame.closeThenOpen, frame, row, end.text, end.html);
    end.text += '\n';
    end.html.append(frame.closeRow);
}

// The texts that the forms kept by a RowEnds refer to, in copies of their
// own: a record's texts may live no longer than the record.
class FormTexts {
public:
    std::string_view Keep(std::string_view text)
    {
        if (const auto found = texts_.find(text); found != texts_.end()) {
            return *found;
        }
        return *texts_.emplace(text).first;
    }
    std::span<const std::string_view> Keep(std::span<const std::string_view> texts)
    {
        std::vector<std::string_view>& kept = lists_.emplace_back();
        kept.reserve(texts.size());
        for (const std::string_view text : texts) {
            kept.push_back(Keep(text));
        }
        return kept;
    }
    void Clear()
    {
        texts_.clear();
        lists_.clear();
    }

private:
    // Looked up by a view, without a copy.
    struct ViewHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };
    std::unordered_set<std::string, ViewHash, std::equal_to<>> texts_;
    std::deque<std::vector<std::string_view>> lists_;
};

// Row ends by form, each built with the frame its form names. Records read
// from a file may take many more forms than a run rolls: past maxForms the
// forms kept so far are dropped and collected afresh, so memory stays bounded
// and recurring forms are soon cached again. A form's special text and its
// moons' texts, when it has them, point at copies kept as long as the form.
template <class Form, class Hash, std::size_t maxForms = 4096>
class RowEnds {
public:
    static constexpr std::size_t kMaxForms = maxForms;

    // The end of rows of form, whose cells after the first are columns,
    // which read the form alone. Valid until the next call.
    const RowEnd& For(const Form& form, std::span<const Column<Form>> columns, const CellFrame& frame)
    {
        if (const auto found = ends_.find(form); found != ends_.end()) {
            return found->second;
        }
        RowEnd& end = Add(form);
        FillRowEnd<Form>(columns, frame, form, end);
        return end;
    }

private:
    RowEnd& Add(Form form)
    {
        if (ends_.size() == kMaxForms) {
            ends_.clear();
            texts_.Clear();
        }
        if constexpr (requires { form.special; }) {
            form.special = texts_.Keep(form.special);
        }
        if constexpr (requires { form.moons; }) {
            form.moons = texts_.Keep(form.moons);
        }
        return ends_[form];
    }

    FormTexts texts_;
    std::unordered_map<Form, RowEnd, Hash> ends_;
};

// Writes row as its first cell, from first, followed by its end, which
// closes that cell.
template <class Row>
void WriteRowWithEnd(ReportSink& reports, std::span<const Column<Row>, 1> first, const CellFrame& frame,
                     const Row& row, const RowEnd& end)
{
    reports.WriteRow([&](std::string& text, std::string& html) {
        AppendFramedCells<Row>(first, true, frame.rowOpen, frame, row, text, html);
        text.append(end.text);
        html.append(end.html);
    });
}

}  // namespace nexmar
