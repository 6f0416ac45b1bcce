#include "players/print_table.h"

#include <string_view>

#include "gen/record_text.h"
#include "model/note_target.h"

namespace nexmar {

namespace {

std::vector<PrintColumn> Columns(std::initializer_list<std::string_view> first, bool census,
                                 std::initializer_list<std::string_view> wrapping)
{
    std::vector<PrintColumn> columns;
    for (const std::string_view heading : first) {
        columns.push_back({std::string(heading), false});
    }
    if (census) {
        for (const std::string_view heading : {"Cens.", "Mor.", "Prod."}) {
            columns.push_back({std::string(heading), false});
        }
    }
    for (const std::string_view heading : wrapping) {
        columns.push_back({std::string(heading), true});
    }
    return columns;
}

void AddCensus(std::vector<std::string>& cells, const std::optional<CensusValues>& census, bool columns)
{
    if (!columns) {
        return;
    }
    for (const int value : {census ? census->census : 0, census ? census->morale : 0,
                            census ? census->productivity : 0}) {
        cells.push_back(census ? std::to_string(value) : std::string());
    }
}

// A special result without the "Special: " the tree labels it with: the
// column's heading says it.
std::string SpecialText(std::string_view special)
{
    constexpr std::string_view kLabel = "Special: ";
    return std::string(special.substr(special.starts_with(kLabel) ? kLabel.size() : 0));
}

// "2/1, 0/0": each moon's Capacity and Raw.
std::string HighMoonsText(const HighObject& object)
{
    std::string text;
    for (const HighMoon& moon : object.moons) {
        text.append(text.empty() ? "" : ", ")
            .append(std::to_string(moon.capacity))
            .append("/")
            .append(std::to_string(moon.raw));
    }
    return text;
}

PrintTable MediumTable(int number, const MediumSystem& system, bool census)
{
    PrintTable table;
    table.columns = Columns({"Object", "Type", "Value", "Cap.", "Raw"}, census, {"Moons", "Special"});
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        PrintRow row;
        row.cells = {"Object " + MediumObjectNumber(number, ++slot), std::string(MediumObjectTypeName(object.type)), std::string(ValueText(object.value)),
                     std::to_string(object.capacity), std::to_string(object.raw)};
        AddCensus(row.cells, object.census, census);
        row.cells.push_back(MediumMoonsText(object));
        row.cells.push_back(SpecialText(object.special));
        table.rows.push_back(std::move(row));
    }
    return table;
}

PrintTable HighTable(int number, const HighSystem& system, bool census)
{
    PrintTable table;
    table.columns = Columns({"Body", "Type", "Size", "Cap.", "Raw"}, census,
                            {"Moons C/R", "Special"});
    for (const StarComponent& component : system.components) {
        int starNumber = 0;
        for (const Star& star : component.stars) {
            PrintRow row;
            row.cells = {StarItemName(component.letter, ++starNumber), StarDescription(star)};
            row.firstOfGroup = starNumber == 1;
            table.rows.push_back(std::move(row));
        }
        int index = 0;
        for (const HighObject& object : component.objects) {
            PrintRow row;
            row.cells = {"Object " + HighObjectNumber(number, component.letter, index++),
                         std::string(HighObjectTypeName(object.type)),
                         std::string(HighObjectSizeName(object.size)), std::to_string(object.capacity),
                         std::to_string(object.raw)};
            AddCensus(row.cells, object.census, census);
            row.cells.push_back(HighMoonsText(object));
            row.cells.push_back(SpecialText(object.special));
            table.rows.push_back(std::move(row));
        }
    }
    return table;
}

}  // namespace

bool HasCensus(const SystemRecord& record)
{
    if (const auto* low = std::get_if<LowSystem>(&record)) {
        return low->census.has_value();
    }
    if (const auto* medium = std::get_if<MediumSystem>(&record)) {
        for (const MediumObject& object : medium->objects) {
            if (object.census) {
                return true;
            }
        }
        return false;
    }
    for (const StarComponent& component : std::get<HighSystem>(record).components) {
        for (const HighObject& object : component.objects) {
            if (object.census) {
                return true;
            }
        }
    }
    return false;
}

PrintTable SystemTable(int number, const SystemRecord& record)
{
    const bool census = HasCensus(record);
    if (const auto* medium = std::get_if<MediumSystem>(&record)) {
        return MediumTable(number, *medium, census);
    }
    if (const auto* high = std::get_if<HighSystem>(&record)) {
        return HighTable(number, *high, census);
    }
    PrintTable table;
    table.columns = LowColumns(census);
    table.rows.push_back(LowRow(number, std::get<LowSystem>(record), census));
    return table;
}

std::vector<PrintColumn> LowColumns(bool census)
{
    return Columns({"System", "Size class", "Importance", "Cap.", "Raw"}, census, {"Special"});
}

PrintRow LowRow(int number, const LowSystem& system, bool census, std::string_view name)
{
    PrintRow row;
    row.cells = {name.empty() ? SystemName(number) : SystemName(number) + ": " + std::string(name),
                 std::string(LowSizeClassName(system.sizeClass)),
                 std::string(ImportanceName(system.importance)), std::to_string(system.capacity),
                 std::to_string(system.raw)};
    AddCensus(row.cells, system.census, census);
    row.cells.push_back(SpecialText(system.special));
    return row;
}

std::vector<PrintRow> NoteRows(const RunRecords& records, std::size_t place, NoteKind kind)
{
    std::vector<PrintRow> rows;
    for (const SystemNote& note : SystemNotes(records, place, kind)) {
        PrintRow row;
        row.cells = {(note.about.empty() ? "Notes: " : "Notes on " + note.about + ": ") + note.text};
        row.firstOfGroup = rows.empty();
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace nexmar
