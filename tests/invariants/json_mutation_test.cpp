// Saved runs changed one field at a time, as a careless or a crafty editor
// would change them: every document the reader accepts must render a run
// that keeps every invariant of a rolled run, and every export unchanged is
// accepted.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <random>
#include <sstream>
#include <variant>

#include "invariants/run_invariants.h"
#include "json/json_import.h"
#include "support/json_document.h"

namespace nexmar::invariants {
namespace {

using nlohmann::ordered_json;

// Each count stays five times above the mutation that found the latest of
// the reader's checks removed one at a time: the zone order (mutations 13, 8
// and 109 of the three tests), the Medium layout (326 and 2), the first Low
// system a Major Colony (485).
constexpr int kMutations = 2500;
constexpr int kStarMutations = 600;
constexpr int kMediumMoves = 600;

// Every scalar of the systems, with the key it stands under.
struct Leaf {
    ordered_json* value;
    std::string key;
};

void CollectLeaves(ordered_json& value, const std::string& key, std::vector<Leaf>& leaves)
{
    if (value.is_object()) {
        for (auto& [name, member] : value.items()) {
            CollectLeaves(member, name, leaves);
        }
    } else if (value.is_array()) {
        for (ordered_json& element : value) {
            CollectLeaves(element, key, leaves);
        }
    } else {
        leaves.push_back({&value, key});
    }
}

// The document as a query that kept the systems numbered in kept would have
// written it: those systems only, and the count of the run in its head.
ordered_json Filtered(const ordered_json& whole, const std::vector<int>& kept)
{
    ordered_json filtered;
    for (const auto& [key, value] : whole.items()) {
        if (key == "systems") {
            filtered["systemsRolled"] = whole["systems"].size();
            filtered[key] = ordered_json::array();
        } else {
            filtered[key] = value;
        }
    }
    for (const int number : kept) {
        filtered["systems"].push_back(whole["systems"][static_cast<std::size_t>(number - 1)]);
    }
    return filtered;
}

std::variant<LoadedRun, JsonReadError> Load(const std::string& text)
{
    std::istringstream in(text);
    return LoadJsonRun(in, 1000);
}

// Exports of systems systems at level, without and with census, from four
// seeds seedStep apart; the reader must accept each one.
std::vector<ordered_json> Exports(DetailLevel level, int systems, std::uint32_t seedStep,
                                  const std::filesystem::path& reports)
{
    std::vector<ordered_json> documents;
    for (const bool census : {false, true}) {
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            const std::string text = testing::ExportedRun(level, census, systems, seed * seedStep, reports);
            EXPECT_TRUE(std::holds_alternative<LoadedRun>(Load(text))) << "an export refused:\n" << text;
            documents.push_back(ordered_json::parse(text));
        }
    }
    return documents;
}

// count copies of documents, a random one each time, each changed by mutate:
// every copy the reader accepts must render a run that keeps every invariant
// of a rolled run. Returns how many it accepted.
template <class Mutate>
int AcceptedMutations(const std::vector<ordered_json>& documents, std::uint32_t seed, int count,
                      const std::filesystem::path& reports, Mutate mutate)
{
    std::mt19937 random(seed);
    int accepted = 0;
    for (int i = 0; i < count; ++i) {
        ordered_json document = documents[random() % documents.size()];
        mutate(document, random);
        const std::string text = document.dump();
        const auto read = Load(text);
        if (const LoadedRun* run = std::get_if<LoadedRun>(&read)) {
            ++accepted;
            const std::vector<std::string> broken = CheckRun(RecordLoadedRun(*run, reports));
            if (!broken.empty()) {
                ADD_FAILURE() << "mutation " << i << " accepted, yet: " << broken.front() << "\n" << text;
                break;
            }
        }
    }
    return accepted;
}

TEST(JsonMutations, AcceptedDocumentsRenderSoundRuns)
{
    testing::TempDir dir;
    std::vector<ordered_json> documents;
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        for (ordered_json& document : Exports(level, 6, 7919, dir.path())) {
            // Each also as --where would have written it, numbers kept:
            // without System 1, whose Major Colony the reader then asks not for.
            ordered_json filtered = Filtered(document, {2, 4, 5});
            const std::string text = filtered.dump();
            EXPECT_TRUE(std::holds_alternative<LoadedRun>(Load(text))) << "a filtered export refused:\n" << text;
            documents.push_back(std::move(document));
            documents.push_back(std::move(filtered));
        }
    }
    // Every value seen under each key, from any document: another row's value.
    std::map<std::string, std::vector<ordered_json>> seen;
    for (ordered_json& document : documents) {
        std::vector<Leaf> leaves;
        CollectLeaves(document["systems"], "", leaves);
        for (const Leaf& leaf : leaves) {
            seen[leaf.key].push_back(*leaf.value);
        }
    }

    const auto mutate = [&](ordered_json& document, std::mt19937& random) {
        std::vector<Leaf> leaves;
        CollectLeaves(document["systems"], "", leaves);
        const Leaf& leaf = leaves[random() % leaves.size()];
        const std::vector<ordered_json>& others = seen[leaf.key];
        switch (random() % 3) {
        case 0:  // a neighbouring value
            if (leaf.value->is_number_integer()) {
                *leaf.value = leaf.value->get<int>() + (random() % 2 == 0 ? 1 : -1);
            } else if (leaf.value->is_boolean()) {
                *leaf.value = !leaf.value->get<bool>();
            } else {
                *leaf.value = others[random() % others.size()];
            }
            break;
        case 1: {  // swapped with the same field of another system or object
            std::vector<ordered_json*> alike;
            for (const Leaf& other : leaves) {
                if (other.key == leaf.key && other.value != leaf.value) {
                    alike.push_back(other.value);
                }
            }
            if (!alike.empty()) {
                std::swap(*leaf.value, *alike[random() % alike.size()]);
            }
            break;
        }
        default:  // another row's value
            *leaf.value = others[random() % others.size()];
        }
    };
    const int accepted = AcceptedMutations(documents, 20260, kMutations, dir.path(), mutate);
    // Most mutations change nothing the tables care about or are refused;
    // enough are accepted for the check to mean something.
    EXPECT_GT(accepted, kMutations / 10);
}

// Every array of components, stars, objects and moons of a High document.
struct ComponentArrays {
    std::vector<ordered_json*> components;
    std::vector<ordered_json*> stars;
    std::vector<ordered_json*> objects;
    std::vector<ordered_json*> moons;
};

ComponentArrays CollectComponentArrays(ordered_json& document)
{
    ComponentArrays arrays;
    for (ordered_json& system : document["systems"]) {
        arrays.components.push_back(&system["components"]);
        for (ordered_json& component : system["components"]) {
            arrays.stars.push_back(&component["stars"]);
            arrays.objects.push_back(&component["objects"]);
            for (ordered_json& object : component["objects"]) {
                arrays.moons.push_back(&object["moons"]);
            }
        }
    }
    return arrays;
}

// The last element of from moved to the end of to, numbered there if it
// has a number.
void MoveLast(ordered_json& from, ordered_json& to)
{
    if (from.empty()) {
        return;
    }
    ordered_json moved = from.back();
    from.erase(from.end() - 1);
    if (moved.is_object()) {
        moved["number"] = to.size() + 1;
    }
    to.push_back(moved);
}

// Stars, components, objects and moons moved, dropped and copied whole, as
// an editor regrouping a system would: each field stays valid, the whole
// may not.
TEST(JsonMutations, RegroupedStarsAndComponentsRenderSoundRuns)
{
    testing::TempDir dir;
    const std::vector<ordered_json> documents = Exports(DetailLevel::High, 12, 104729, dir.path());
    const auto mutate = [](ordered_json& document, std::mt19937& random) {
        ComponentArrays arrays = CollectComponentArrays(document);
        ordered_json& stars = *arrays.stars[random() % arrays.stars.size()];
        ordered_json& otherStars = *arrays.stars[random() % arrays.stars.size()];
        ordered_json& components = *arrays.components[random() % arrays.components.size()];
        ordered_json& objects = *arrays.objects[random() % arrays.objects.size()];
        ordered_json& otherObjects = *arrays.objects[random() % arrays.objects.size()];
        const auto kind = random() % 8;
        switch (kind) {
        case 0:  // a star dropped
            stars.erase(stars.begin() + static_cast<std::ptrdiff_t>(random() % stars.size()));
            break;
        case 1:  // a star moved to another component
            otherStars.push_back(stars.back());
            stars.erase(stars.end() - 1);
            break;
        case 2:  // a star copied into another component
            otherStars.push_back(stars.front());
            break;
        case 3:  // the last component dropped
            components.erase(components.end() - 1);
            break;
        case 4: {  // a component copied after the last, lettered next
            ordered_json copy = components[random() % components.size()];
            copy["letter"] = std::string(1, static_cast<char>('A' + components.size()));
            components.push_back(copy);
            break;
        }
        case 5:  // the stars of two components swapped
            std::swap(stars, otherStars);
            break;
        case 6:  // an object moved to another component
            MoveLast(objects, otherObjects);
            break;
        default:  // a moon moved to another object
            if (!arrays.moons.empty()) {
                MoveLast(*arrays.moons[random() % arrays.moons.size()], *arrays.moons[random() % arrays.moons.size()]);
            }
        }
        // A component dropped or copied moves the components after it, and
        // the objects array chosen above may have gone with them.
        const bool componentsReshaped = kind == 3 || kind == 4;
        if (random() % 4 == 0 && !componentsReshaped && !objects.empty()) {  // and an object dropped
            objects.erase(objects.end() - 1);
        }
    };
    const int accepted = AcceptedMutations(documents, 20261, kStarMutations, dir.path(), mutate);
    EXPECT_GT(accepted, kStarMutations / 10);
}

// Medium objects moved between systems and moon results between objects:
// the layout and each object's rows must still hold.
TEST(JsonMutations, MovedMediumObjectsAndMoonsRenderSoundRuns)
{
    testing::TempDir dir;
    const std::vector<ordered_json> documents = Exports(DetailLevel::Medium, 12, 104729, dir.path());
    const auto mutate = [](ordered_json& document, std::mt19937& random) {
        std::vector<ordered_json*> objects;
        std::vector<ordered_json*> moons;
        for (ordered_json& system : document["systems"]) {
            objects.push_back(&system["objects"]);
            for (ordered_json& object : system["objects"]) {
                moons.push_back(&object["moons"]);
            }
        }
        const std::vector<ordered_json*>& arrays = random() % 2 == 0 ? objects : moons;
        MoveLast(*arrays[random() % arrays.size()], *arrays[random() % arrays.size()]);
    };
    const int accepted = AcceptedMutations(documents, 20262, kMediumMoves, dir.path(), mutate);
    EXPECT_GT(accepted, kMediumMoves / 20);
}

}  // namespace
}  // namespace nexmar::invariants
