#include "players/player_table.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace nexmar {

namespace {

// Moved in whole: copying it into the cell's text trips a false overlap
// warning of g++ 12 in optimised builds.
std::string HiddenCell()
{
    return "?";
}

struct ColumnField {
    std::string_view heading;
    PlayerField field;
};

// The field each column of the printed tables, and each label of the
// tree's stat lines, shows.
constexpr ColumnField kColumnFields[] = {
    {"Capacity", PlayerField::Capacity}, {"Census", PlayerField::Census},
    {"Morale", PlayerField::Census},     {"Productivity", PlayerField::Census},
    {"Size class", PlayerField::Size},  {"Importance", PlayerField::Importance}, {"Type", PlayerField::Type},
    {"Value", PlayerField::Value},      {"Size", PlayerField::Size},             {"Cap.", PlayerField::Capacity},
    {"Raw", PlayerField::Raw},          {"Cens.", PlayerField::Census},          {"Mor.", PlayerField::Census},
    {"Prod.", PlayerField::Census},     {"Moons", PlayerField::Moons},           {"Moons C/R", PlayerField::Moons},
    {"Special", PlayerField::Special},
};

std::optional<PlayerField> FieldOf(std::string_view heading)
{
    for (const ColumnField& column : kColumnFields) {
        if (column.heading == heading) {
            return column.field;
        }
    }
    return std::nullopt;
}

// A High object's moons, "2/1, 0/0", each moon's Capacity and Raw: a
// hidden one of the two reads "?" in every pair, "?/1, ?/0".
std::string MoonPairs(std::string_view cell, PlayerFields hidden)
{
    std::string shown;
    while (!cell.empty()) {
        const std::size_t end = std::min(cell.find(", "), cell.size());
        const std::string_view pair = cell.substr(0, end);
        const std::size_t slash = std::min(pair.find('/'), pair.size());
        shown.append(shown.empty() ? "" : ", ")
            .append(hidden.Has(PlayerField::Capacity) ? "?" : pair.substr(0, slash))
            .append("/")
            .append(hidden.Has(PlayerField::Raw) ? "?" : pair.substr(std::min(slash + 1, pair.size())));
        cell.remove_prefix(std::min(end + 2, cell.size()));
    }
    return shown;
}

// A star's row holds its name and its description, which takes the room of
// every other column.
bool IsStarRow(const std::vector<PrintColumn>& columns, const PrintRow& row)
{
    return row.cells.size() == 2 && columns.size() > 2;
}

}  // namespace

void HideCells(const std::vector<PrintColumn>& columns, PrintRow& row, PlayerFields hidden)
{
    if (IsStarRow(columns, row)) {
        if (hidden.Has(PlayerField::Stars)) {
            row.cells[1] = HiddenCell();
        }
        return;
    }
    for (std::size_t c = 0; c < row.cells.size() && c < columns.size(); ++c) {
        const std::optional<PlayerField> field = FieldOf(columns[c].heading);
        if (field && hidden.Has(*field)) {
            row.cells[c] = HiddenCell();
        } else if (columns[c].heading == "Moons C/R") {
            row.cells[c] = MoonPairs(row.cells[c], hidden);
        }
    }
}

void HideCells(PrintTable& table, PlayerFields hidden)
{
    // Hidden stars are one row a component, as the picture draws one star
    // of no kind: a second row would tell a pair.
    if (hidden.Has(PlayerField::Stars)) {
        std::erase_if(table.rows,
                      [&](const PrintRow& row) { return IsStarRow(table.columns, row) && !row.firstOfGroup; });
    }
    for (PrintRow& row : table.rows) {
        HideCells(table.columns, row, hidden);
    }
}

std::optional<PlayerField> FieldOfStatLine(std::string_view text)
{
    const std::size_t colon = text.find(": ");
    return colon == std::string_view::npos ? std::nullopt : FieldOf(text.substr(0, colon));
}

std::string PlayerStatLine(std::string_view text, std::string_view special, PlayerFields hidden)
{
    if (text == special) {
        return hidden.Has(PlayerField::Special) ? "Special: ?" : std::string(text);
    }
    const std::optional<PlayerField> field = FieldOfStatLine(text);
    if (!field || !hidden.Has(*field)) {
        return std::string(text);
    }
    return std::string(text.substr(0, text.find(": "))) + ": " + HiddenCell();
}

}  // namespace nexmar
