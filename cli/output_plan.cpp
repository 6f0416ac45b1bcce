#include "cli/output_plan.h"

#include <unordered_map>

#include "cli/picture_files.h"
#include "core/report_files.h"

namespace nexmar {

std::vector<PlannedOutput> PlanOutputs(const CliOptions& options, std::span<const int> pictures)
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
    if (!options.pictureSheet.empty()) {
        outputs.push_back(
            {"--svg-sheet", "--svg-sheet '" + options.pictureSheet.string() + "'", options.pictureSheet});
    }
    if (!options.pictureDirectory.empty()) {
        for (const int number : pictures) {
            const std::string name = PictureFileName(number);
            outputs.push_back({"--svg", "the picture " + name + " in --svg", options.pictureDirectory / name});
        }
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
    std::unordered_map<std::string, std::size_t> firstAt;  // each file, by the first output planned there
    for (std::size_t later = 0; later < outputs.size(); ++later) {
        const PlannedOutput& output = outputs[later];
        std::error_code error;
        std::filesystem::path file = std::filesystem::weakly_canonical(FollowLinks(output.path), error);
        if (error) {
            file = std::filesystem::absolute(output.path, error).lexically_normal();
        }
        const auto [earlier, isNew] = firstAt.try_emplace(file.string(), later);
        if (!isNew) {
            return OneLine(output.option + ": '" + output.path.string() + "' is the same file as " +
                           outputs[earlier->second].what);
        }
    }
    return {};
}

}  // namespace nexmar
