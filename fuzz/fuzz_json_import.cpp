// The JSON run reader from fuzz bytes. Any input either gives one message
// that names its place and line, or records (with their names and notes)
// whose export reads back to the same records and which, rendered, keep every invariant of a rolled run:
// the reader accepts nothing that it could not write again, nor anything
// that no dice could make.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <variant>

#include "invariants/run_invariants.h"
#include "json/json_export.h"
#include "json/json_import.h"
#include "support/scratch.h"

namespace {

// Bounds the work of one input; the reader is the same at any count.
constexpr int kMaxSystems = 50;

void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

std::string Export(const nexmar::LoadedRun& run)
{
    std::string document;
    nexmar::JsonExport json(
        run.summary.program, [&document](std::string_view text) { document.append(text); }, &run.edits);
    json.Begin(run.summary.settings);
    std::size_t at = 0;
    for (const nexmar::SystemRecord& system : run.systems) {
        json.Add(run.numbers[at++], system);
    }
    json.Finish();
    return document;
}

std::variant<nexmar::LoadedRun, nexmar::JsonReadError> Load(const std::string& text)
{
    std::istringstream in(text);
    return nexmar::LoadJsonRun(in, kMaxSystems);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    nexmar::testing::ProcessTempDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto read = Load(input);
    if (const auto* error = std::get_if<nexmar::JsonReadError>(&read)) {
        const std::string& message = error->message;
        if (message.empty() || message[0] != '/' || message.find(" (line ") == std::string::npos ||
            message.find('\n') != std::string::npos) {
            Fail("a message without its place and line, or of more than one line", message);
        }
        return 0;
    }
    const nexmar::LoadedRun& run = std::get<nexmar::LoadedRun>(read);
    const int records = static_cast<int>(run.systems.size());
    // A filtered document (one that says how many systems its run rolled)
    // may keep none of them, as the command line writes it.
    const bool filtered = run.summary.settings.systemsRolled > 0;
    if (records != run.summary.settings.systems || (records < 1 && !filtered)) {
        Fail("a count of systems unlike the records", input);
    }
    const std::vector<std::string> broken = nexmar::invariants::CheckRun(
        nexmar::invariants::RecordLoadedRun(run, nexmar::testing::ProcessTempDir()));
    if (!broken.empty()) {
        std::string what;
        for (const std::string& each : broken) {
            what += "  " + each + "\n";
        }
        Fail("an accepted run that breaks the run invariants", what + input);
    }
    const std::string written = Export(run);
    const auto again = Load(written);
    if (const auto* error = std::get_if<nexmar::JsonReadError>(&again)) {
        Fail("an accepted run whose export is refused", error->message + "\n" + written);
    }
    if (Export(std::get<nexmar::LoadedRun>(again)) != written) {
        Fail("an accepted run whose export reads back differently", written);
    }
    return 0;
}
