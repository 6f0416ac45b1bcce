// Runs a seeded run, writes its JSON document, then reads one query a line
// from standard input and prints the numbers of the systems it keeps:
// "kept 3 17 40", or "error column 5: ..." for a query that is none.
// tests/run/query_reference.py checks the answers against its own filter
// over the document.
//
// Usage: query_probe Low|Medium|High SEED SYSTEMS census|no-census JSON_PATH

#include <fstream>
#include <iostream>
#include <string>
#include <variant>
#include <vector>

#include "run/json_export.h"
#include "run/system_query.h"

namespace nexmar {
namespace {

class StderrNotifier final : public Notifier {
public:
    void Notify(const std::string& message) override { std::cerr << message << '\n'; }
};

using AnyRecord = std::variant<LowSystem, MediumSystem, HighSystem>;

class RecordKeeper final : public RecordObserver {
public:
    void OnLowSystem(int, const LowSystem& system) override { records.emplace_back(system); }
    void OnMediumSystem(int, const MediumSystem& system) override { records.emplace_back(system); }
    void OnHighSystem(int, const HighSystem& system) override { records.emplace_back(system); }
    std::vector<AnyRecord> records;
};

std::optional<DetailLevel> LevelNamed(std::string_view name)
{
    for (const DetailLevel level : {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High}) {
        if (DetailLevelName(level) == name) {
            return level;
        }
    }
    return std::nullopt;
}

int Probe(int argc, char** argv)
{
    const std::optional<DetailLevel> level = argc == 6 ? LevelNamed(argv[1]) : std::nullopt;
    if (!level) {
        std::cerr << "usage: query_probe Low|Medium|High SEED SYSTEMS census|no-census JSON_PATH\n";
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(std::stoul(argv[2]));
    const RunInputs inputs{.systems = std::stoi(argv[3]), .level = *level, .census = std::string_view(argv[4]) == "census",
                           .renderTree = false};
    std::ofstream json(argv[5], std::ios::binary);
    JsonExport document({"nexmar-cli", seed, *level, inputs.census}, [&](std::string_view text) { json << text; });
    RecordKeeper keeper;
    RecordObserver* const observers[] = {&document, &keeper};
    SeededDice dice(seed);
    ResultTree tree;
    ReportFiles reports("/dev/null", "/dev/null");
    StderrNotifier notifier;
    if (!RunGeneration(inputs, dice, tree, reports, notifier, {}, observers).generated) {
        std::cerr << "query_probe: the run did not go\n";
        return 1;
    }
    document.Finish();
    json.close();

    std::string line;
    while (std::getline(std::cin, line)) {
        const SystemQueryParse parse = ParseSystemQuery(line, *level);
        if (!parse.query) {
            std::cout << "error " << parse.error << '\n';
            continue;
        }
        std::cout << "kept";
        for (std::size_t index = 0; index < keeper.records.size(); ++index) {
            const int number = static_cast<int>(index) + 1;
            if (std::visit([&](const auto& record) { return parse.query->Matches(number, record); },
                           keeper.records[index])) {
                std::cout << ' ' << number;
            }
        }
        std::cout << '\n';
    }
    return std::cout.good() ? 0 : 1;
}

}  // namespace
}  // namespace nexmar

int main(int argc, char** argv)
{
    return nexmar::Probe(argc, argv);
}
