#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <variant>

#include "json/json_import.h"
#include "map/run_places.h"
#include "support/json_document.h"

namespace nexmar {
namespace {

using nlohmann::ordered_json;
using testing::ExportedRun;

constexpr Seed kSeed = 31;
constexpr int kSystems = 6;  // one subsector at Standard density

std::variant<LoadedRun, JsonReadError> Read(const std::string& document)
{
    std::istringstream in(document);
    return LoadJsonRun(in, 1000);
}

LoadedRun Loaded(const std::string& document)
{
    auto read = Read(document);
    if (auto* error = std::get_if<JsonReadError>(&read)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<LoadedRun>(std::move(read));
}

std::string Exported(const LoadedRun& run)
{
    std::string document;
    JsonExport json(run.summary.program, [&](std::string_view text) { document.append(text); }, &run.edits);
    json.Begin(run.summary.settings);
    for (std::size_t at = 0; at < run.systems.size(); ++at) {
        json.Add(run.numbers[at], run.systems[at]);
    }
    json.Finish();
    return document;
}

// The first hex of the map no system holds.
HexPlace FreeHex(const SystemPlaces& places)
{
    for (int index = 0;; ++index) {
        if (places.At(places.Extent().HexAt(index)) == 0) {
            return places.Extent().HexAt(index);
        }
    }
}

TEST(SectorPlaces, AMovedSystemAndHandRoutesComeBackAsSaved)
{
    LoadedRun run = Loaded(ExportedRun(DetailLevel::Medium, false, kSystems, kSeed));
    const SystemPlaces before = RunPlaces(kSystems, kSeed, run.edits);
    const HexPlace free = FreeHex(before);
    ASSERT_EQ(MoveFault(before, 2, free), "");
    SystemEdits moved;
    moved.hex = free;
    run.edits.Set(2, moved);
    run.edits.Map().SetRoute(3, 1, true);
    run.edits.Map().SetRoute(2, 4, false);
    run.edits.Map().jump = 4;

    const std::string document = Exported(run);
    const ordered_json json = ordered_json::parse(document);
    EXPECT_EQ(json["density"], 50);
    EXPECT_EQ(json["routesAdded"], ordered_json::parse("[[1,3]]"));
    EXPECT_EQ(json["systems"][1]["hex"], HexNumber(free));
    const LoadedRun again = Loaded(document);
    EXPECT_TRUE(again.edits == run.edits);
    EXPECT_EQ(RunPlaces(kSystems, kSeed, again.edits).Of(2), free);
    EXPECT_EQ(again.summary.notice, "");
}

TEST(SectorPlaces, AMoveOffTheMapOrOntoAnotherSystemIsRefusedInOneLine)
{
    const SystemPlaces places(kSystems, kDefaultDensity, kSeed);
    EXPECT_EQ(MoveFault(places, 1, {9, 1}), "hex 0901 is off the map, which ends at subsector A");
    EXPECT_EQ(MoveFault(places, 1, places.Of(2)), "hex " + HexNumber(places.Of(2)) + " is taken by system 2");
    EXPECT_EQ(MoveFault(places, 2, places.Of(2)), "");
    EXPECT_FALSE(ParseHex("0041", 1, places.Extent()));
    EXPECT_FALSE(ParseHex("3301", 1, places.Extent()));
    EXPECT_FALSE(ParseHex("01a1", 1, places.Extent()));
}

struct BadPlace {
    const char* name;
    const char* key;
    ordered_json value;
    const char* message;
};

TEST(SectorPlaces, ADocumentsBadHexIsRefusedInOneLine)
{
    const std::string first =
        HexNumber(SystemPlaces(kSystems, kDefaultDensity, kSeed).Of(1));
    const BadPlace cases[] = {
        {"malformed", "hex", "3341", "/systems/1/hex (line 1): expected a hex \"CCRR\""},
        {"not four digits", "hex", "101", "/systems/1/hex (line 1): expected a hex \"CCRR\""},
        {"off the map", "hex", "0911", "/systems/1/hex (line 1): expected a hex of the map: hex 0911 is off the map"},
        {"another sector", "sector", 2, "/systems/1/hex (line 1): expected a hex of the map, which spans 1 sector"},
        {"taken", "hex", first, "/systems/1/hex (line 1): expected a hex no other system holds; system 1 lies there"},
    };
    for (const BadPlace& bad : cases) {
        SCOPED_TRACE(bad.name);
        ordered_json document = ordered_json::parse(ExportedRun(DetailLevel::Low, false, kSystems, kSeed));
        document["systems"][1][bad.key] = bad.value;
        const auto read = Read(document.dump());
        ASSERT_TRUE(std::holds_alternative<JsonReadError>(read));
        EXPECT_THAT(std::get<JsonReadError>(read).message, ::testing::StartsWith(bad.message));
        EXPECT_EQ(std::get<JsonReadError>(read).message.find('\n'), std::string::npos);
    }
}

TEST(SectorPlaces, AnEarlierDocumentTakesItsSeedsPlacesAndSaysSoInOneLine)
{
    ordered_json document = ordered_json::parse(ExportedRun(DetailLevel::Low, false, kSystems, kSeed));
    document["format"] = 2;
    document.erase("density");
    document.erase("jump");
    for (ordered_json& system : document["systems"]) {
        system.erase("hex");
    }
    const LoadedRun run = Loaded(document.dump());
    EXPECT_EQ(run.summary.notice,
              "a document of format 2: its systems lie where its seed and count place them at Standard density");
    EXPECT_EQ(run.edits.Map(), SectorMapEdits{});
    const SystemPlaces seeds(kSystems, kDefaultDensity, kSeed);
    const SystemPlaces read = RunPlaces(kSystems, kSeed, run.edits);
    for (int number = 1; number <= kSystems; ++number) {
        EXPECT_EQ(read.Of(number), seeds.Of(number));
    }
    std::string dense = document.dump();
    dense.replace(dense.find("\"format\":2,"), 11, "\"format\":2,\"density\":16,");
    EXPECT_THAT(std::get<JsonReadError>(Read(dense)).message,
                ::testing::StartsWith("/density (line 1): expected no \"density\" in a document of format 2"));
}

TEST(SectorPlaces, ARerollOrARenameKeepsThePlace)
{
    SectorEdits edits(kSeed);
    const SystemPlaces seeds = RunPlaces(kSystems, kSeed, edits);
    SystemEdits moved;
    moved.hex = FreeHex(seeds);
    edits.Set(2, moved);
    for (const int number : {2, 3}) {
        SystemEdits changed = edits.Find(number) ? *edits.Find(number) : SystemEdits{};
        const HexPlace place = RunPlaces(kSystems, kSeed, edits).Of(number);
        changed.seed = 777;
        changed.name = "Vessa Reach";
        edits.Set(number, changed);
        EXPECT_EQ(RunPlaces(kSystems, kSeed, edits).Of(number), place);
    }
    EXPECT_EQ(RunPlaces(kSystems, kSeed, edits).Of(2), *moved.hex);
}

}  // namespace
}  // namespace nexmar
