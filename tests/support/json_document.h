#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "run/generation_run.h"
#include "json/json_export.h"
#include "support/scratch.h"

// A rolled run as the JSON document nexmar-cli --json writes for it; free
// of any test framework.
namespace nexmar::testing {

// Its reports go to directory, which a caller that exports many runs keeps.
inline std::string ExportedRun(DetailLevel level, bool census, int systems, Seed seed,
                               const std::filesystem::path& directory)
{
    SeededDice dice(seed);
    ResultTree tree;
    ReportFiles reports(directory);
    RecordingNotifier notifier;
    std::string document;
    const RunSettings settings{systems, level, census, seed};
    JsonExport json("nexmar-cli", [&](std::string_view text) { document.append(text); });
    RunOutput* const observers[] = {&json};
    RunGeneration({settings}, dice, tree, reports, notifier, {}, observers);
    return document;
}

inline std::string ExportedRun(DetailLevel level, bool census, int systems, Seed seed)
{
    const TempDir reports;
    return ExportedRun(level, census, systems, seed, reports.path());
}

}  // namespace nexmar::testing
