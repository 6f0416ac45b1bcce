#include "json/json_export.h"

#include <variant>

#include "json/fields/document_fields.h"
#include "json/private/field_writer.h"

namespace nexmar {

namespace {

using namespace json_field;

// A referee's text that is not UTF-8 is written with U+FFFD in its place
// rather than stopping the document.
std::string Dump(const ordered_json& json)
{
    return json.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
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
    // The head is one object whose closing brace gives way to the systems.
    const DocumentHead fields{
        .program = program_, .version = NEXMAR_VERSION, .format = kJsonFormatVersion, .settings = &settings};
    ordered_json head;
    std::string text;
    WriteRows(head, kDocumentHeadRows, fields, 0, [&](std::string_view key, ordered_json& head) {
        if (key == kSeed) {
            head[kSeed] = SeedJson(settings.seed);
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
    sink_(firstSystem_ ? "\n" : ",\n");
    sink_(std::visit([&](const auto& levelSystem) { return Dump(SystemJson(number, levelSystem, *edits_)); }, system));
    firstSystem_ = false;
}

bool JsonExport::Finish()
{
    sink_(firstSystem_ ? "]}\n" : "\n]}\n");
    return true;
}

}  // namespace nexmar
