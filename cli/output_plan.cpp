#include "cli/output_plan.h"

#include "core/report_files.h"

namespace nexmar {

std::vector<PlannedOutput> PlanOutputs(const CliOptions& options)
{
    std::vector<PlannedOutput> outputs;
    for (const char* report : {kTextReportName, kHtmlReportName}) {
        outputs.push_back({"--dir", std::string("the report ") + report + " in --dir", options.directory / report});
    }
    if (!options.jsonPath.empty() && options.jsonPath != "-") {
        outputs.push_back({"--json", "--json '" + options.jsonPath + "'", options.jsonPath});
    }
    if (!options.statisticsJson.empty()) {
        outputs.push_back(
            {"--stats-json", "--stats-json '" + options.statisticsJson.string() + "'", options.statisticsJson});
    }
    return outputs;
}

std::filesystem::path FollowLinks(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    fs::path current = path;
    std::error_code error;
    for (int depth = 0; depth < 40 && fs::is_symlink(fs::symlink_status(current, error)); ++depth) {
        const fs::path target = fs::read_symlink(current, error);
        if (error) {
            break;
        }
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current;
}

std::string FindCollision(const std::vector<PlannedOutput>& outputs)
{
    std::vector<std::filesystem::path> files;
    for (const PlannedOutput& output : outputs) {
        std::error_code error;
        std::filesystem::path file = std::filesystem::weakly_canonical(FollowLinks(output.path), error);
        files.push_back(error ? std::filesystem::absolute(output.path, error).lexically_normal() : file);
    }
    for (std::size_t later = 1; later < outputs.size(); ++later) {
        for (std::size_t earlier = 0; earlier < later; ++earlier) {
            if (files[later] == files[earlier]) {
                return OneLine(outputs[later].option + ": '" + outputs[later].path.string() + "' is the same file as " +
                               outputs[earlier].what);
            }
        }
    }
    return {};
}

}  // namespace nexmar
