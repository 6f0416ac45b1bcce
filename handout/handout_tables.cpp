#include "handout/handout_tables.h"

#include <vector>

#include "gen/record_text.h"
#include "picture/svg_picture.h"

namespace nexmar {

namespace {

using enum PlayerField;

// A table's rows of cells, the first its head.
using Rows = std::vector<std::vector<std::string>>;

std::string Shown(const PlayerSystem& shown, PlayerField field, std::string_view value)
{
    return shown.hidden.Has(field) ? "?" : std::string(value);
}

std::string Number(const PlayerSystem& shown, PlayerField field, int value)
{
    return shown.hidden.Has(field) ? "?" : std::to_string(value);
}

// The census heads and cells where the run has them.
void AddCensus(std::vector<std::string>& head, std::vector<std::string>& row, const PlayerSystem& shown,
               const std::optional<CensusValues>& census)
{
    if (!census) {
        return;
    }
    head.insert(head.end(), {"Census", "Morale", "Productivity"});
    row.push_back(Number(shown, Census, census->census));
    row.push_back(Number(shown, Census, census->morale));
    row.push_back(Number(shown, Census, census->productivity));
}

std::string PlayerNotesOn(const PlayerSystem& shown, const std::string& place)
{
    if (shown.edits == nullptr) {
        return {};
    }
    const auto notes = shown.edits->objectPlayerNotes.find(place);
    return notes == shown.edits->objectPlayerNotes.end() ? std::string() : notes->second;
}

void AppendRows(std::string& out, const Rows& rows)
{
    out.append("<table>\n<thead><tr>");
    for (const std::string& head : rows.front()) {
        out.append("<th scope=\"col\">");
        AppendHtmlText(out, head);
        out.append("</th>");
    }
    out.append("</tr></thead>\n<tbody>\n");
    for (std::size_t row = 1; row < rows.size(); ++row) {
        out.append("<tr>");
        for (const std::string& cell : rows[row]) {
            out.append(cell == "?" ? "<td class=\"hidden\">" : "<td>");
            AppendHtmlText(out, cell);
            out.append("</td>");
        }
        out.append("</tr>\n");
    }
    out.append("</tbody>\n</table>\n");
}

}  // namespace

void AppendHtmlText(std::string& out, std::string_view text)
{
    AppendEscapedXml(out, text);
}

void AppendBodyTable(std::string& out, int, const LowSystem& system, const PlayerSystem& shown)
{
    std::vector<std::string> head = {"Size", "Importance", "Capacity", "RAW"};
    std::vector<std::string> row = {Shown(shown, Size, LowSizeClassName(system.sizeClass)),
                                    Shown(shown, PlayerField::Importance, ImportanceName(system.importance)),
                                    Number(shown, Capacity, system.capacity), Number(shown, Raw, system.raw)};
    AddCensus(head, row, shown, system.census);
    head.push_back("Special");
    row.push_back(Shown(shown, Special, system.special));
    AppendRows(out, {head, row});
}

void AppendBodyTable(std::string& out, int number, const MediumSystem& system, const PlayerSystem& shown)
{
    Rows rows;
    int slot = 0;
    for (const MediumObject& object : system.objects) {
        std::vector<std::string> head = {"Object", "Zone", "Type", "Value", "Capacity", "RAW"};
        std::vector<std::string> row = {MediumObjectNumber(number, ++slot), std::string(OrbitZoneName(object.zone)),
                                        Shown(shown, Type, MediumObjectTypeName(object.type)),
                                        Shown(shown, Value, ValueText(object.value)),
                                        Number(shown, Capacity, object.capacity), Number(shown, Raw, object.raw)};
        AddCensus(head, row, shown, object.census);
        std::string moons;
        for (const std::string_view moon : object.moons) {
            moons.append(moons.empty() ? "" : "; ").append(moon);
        }
        head.insert(head.end(), {"Special", "Moons", "Notes"});
        row.push_back(Shown(shown, Special, object.special));
        row.push_back(Shown(shown, Moons, moons.empty() ? "None" : moons));
        row.push_back(PlayerNotesOn(shown, MediumObjectPlace(slot)));
        if (rows.empty()) {
            rows.push_back(std::move(head));
        }
        rows.push_back(std::move(row));
    }
    if (!rows.empty()) {
        AppendRows(out, rows);
    }
}

void AppendBodyTable(std::string& out, int number, const HighSystem& system, const PlayerSystem& shown)
{
    Rows rows;
    for (const StarComponent& component : system.components) {
        int index = 0;
        for (const HighObject& object : component.objects) {
            std::vector<std::string> head = {"Object", "Zone", "Size", "Type", "Capacity", "RAW"};
            std::vector<std::string> row = {HighObjectNumber(number, component.letter, index),
                                            std::string(OrbitZoneName(object.zone)),
                                            Shown(shown, Size, HighObjectSizeName(object.size)),
                                            Shown(shown, Type, HighObjectTypeName(object.type)),
                                            Number(shown, Capacity, object.capacity), Number(shown, Raw, object.raw)};
            AddCensus(head, row, shown, object.census);
            std::string moons;
            for (const HighMoon& moon : object.moons) {
                moons.append(moons.empty() ? "" : " ")
                    .append(std::to_string(moon.capacity))
                    .append("/")
                    .append(std::to_string(moon.raw));
            }
            head.insert(head.end(), {"Special", "Moons (Capacity/RAW)", "Notes"});
            row.push_back(Shown(shown, Special, object.special));
            row.push_back(Shown(shown, Moons, moons.empty() ? "None" : moons));
            row.push_back(PlayerNotesOn(shown, HighObjectPlace(component.letter, ++index)));
            if (rows.empty()) {
                rows.push_back(std::move(head));
            }
            rows.push_back(std::move(row));
        }
    }
    if (!rows.empty()) {
        AppendRows(out, rows);
    }
}

}  // namespace nexmar
