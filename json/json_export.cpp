#include "json/json_export.h"

#include <variant>

#include "json/fields/document_fields.h"
#include "json/private/field_writer.h"
#include "json/rules_file.h"
#include "map/run_places.h"

namespace nexmar {

namespace {

using namespace json_field;

// A referee's text that is not UTF-8 is written with U+FFFD in its place
// rather than stopping the document.
std::string Dump(const ordered_json& json)
{
    return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

ordered_json RoutesJson(const std::vector<MapRoute>& routes)
{
    ordered_json list = ordered_json::array();
    for (const MapRoute& route : routes) {
        list.push_back(ordered_json::array({route.from, route.to}));
    }
    return list;
}

}  // namespace

JsonExport::JsonExport(std::string_view program, Sink sink, const SectorEdits* edits)
    : program_(program), sink_(std::move(sink)), edits_(edits)
{
}

void JsonExport::Begin(const RunSettings& settings)
{
    if (edits_ == nullptr) {
        generatedNames_.emplace(settings.seed);
        edits_ = &*generatedNames_;
    }
    const int rolled = settings.systemsRolled > 0 ? settings.systemsRolled : settings.systems;
    places_.emplace(RunPlaces(rolled, settings.seed, *edits_));
    // The head is one object whose closing brace gives way to the systems.
    const SectorMapEdits& map = edits_->Map();
    const DocumentHead fields{.program = program_,
                              .version = NEXMAR_VERSION,
                              .format = kJsonFormatVersion,
                              .settings = &settings,
                              .map = &map};
    ordered_json head;
    std::string text;
    WriteRows(head, kDocumentHeadRows, fields, 0, [&](std::string_view key, ordered_json& head) {
        if (key == kSeed) {
            head[kSeed] = SeedJson(settings.seed);
        } else if (key == kRoutesAdded || key == kRoutesRemoved) {
            const std::vector<MapRoute>& routes = key == kRoutesAdded ? map.routesAdded : map.routesRemoved;
            if (!routes.empty()) {
                head[key] = RoutesJson(routes);
            }
        } else if (key == kRules || key == kRulesDigest) {
            if (const HouseRules* rules = settings.rules.get()) {
                head[key] = key == kRules ? ordered_json::parse(RulesJsonValue(*rules)) : ordered_json(RulesDigest(*rules));
            }
        } else {
            // The systems come last: the head so far, then their array, open.
            text = head.dump();
            text.pop_back();
            text += ",\"" + std::string(key) + "\":[";
        }
    });
    sink_(text);
}

void JsonExport::Add(int number, const SystemRecord& system)
{
    // A document read as it goes hands each system's move with it.
    const SystemEdits* edited = edits_->Find(number);
    const bool known = number >= 1 && number <= places_->Systems();
    const HexPlace place = edited && edited->hex ? *edited->hex : known ? places_->Of(number) : HexPlace{};
    const std::string hex = HexNumber(place);
    const MapExtent& extent = places_->Extent();
    const SystemHead head{.hex = hex,
                          .sector = extent.sectors > 1 ? std::optional<int>(extent.SectorOf(place)) : std::nullopt};
    sink_(firstSystem_ ? "\n" : ",\n");
    sink_(std::visit([&](const auto& levelSystem) { return Dump(SystemJson(number, levelSystem, *edits_, head)); },
                     system));
    firstSystem_ = false;
}

bool JsonExport::Finish()
{
    sink_(firstSystem_ ? "]}\n" : "\n]}\n");
    return true;
}

}  // namespace nexmar
