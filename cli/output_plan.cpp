#include "cli/output_plan.h"

#include <unordered_map>

#include "cli/picture_files.h"
#include "core/output_commit.h"
#include "core/quoted_path.h"
#include "core/report_files.h"

namespace nexmar {

std::vector<PlannedOutput> PlanOutputs(const CliOptions& options, std::span<const int> pictures)
{
    std::vector<PlannedOutput> outputs;
    for (const char* report : {kTextReportName, kHtmlReportName}) {
        outputs.push_back(
            {"--dir", std::string("the report ") + report + " in --dir", options.directory / report, true});
    }
    if (!options.jsonPath.empty() && options.jsonPath != "-") {
        outputs.push_back({"--json", "--json " + QuotedPath(options.jsonPath), options.jsonPath});
    }
    if (!options.statisticsJson.empty()) {
        outputs.push_back(
            {"--stats-json", "--stats-json " + QuotedPath(options.statisticsJson.string()), options.statisticsJson});
    }
    if (!options.pictureSheet.empty()) {
        outputs.push_back(
            {"--svg-sheet", "--svg-sheet " + QuotedPath(options.pictureSheet.string()), options.pictureSheet});
    }
    if (!options.handout.empty()) {
        outputs.push_back({"--handout", "--handout '" + options.handout.string() + "'", options.handout});
    }
    if (!options.map.empty()) {
        outputs.push_back({"--map", "--map " + QuotedPath(options.map.string()), options.map});
    }
    if (!options.pictureDirectory.empty()) {
        for (const int number : pictures) {
            const std::string name = PictureFileName(number);
            outputs.push_back({"--svg", "the picture " + name + " in --svg", options.pictureDirectory / name, true});
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

namespace {

// The file an output at path will be: its folder resolved, links and all,
// and its name in it, whether or not the file exists yet. folders keeps
// each folder resolved, so that ten thousand pictures resolve theirs once.
std::string FileOf(const std::filesystem::path& path, std::unordered_map<std::string, std::string>& folders)
{
    namespace fs = std::filesystem;
    const fs::path file = FollowLinks(path);
    const fs::path name = file.filename();
    std::error_code error;
    if (name.empty() || name == "." || name == "..") {
        const fs::path whole = fs::weakly_canonical(fs::absolute(file, error), error);
        return whole.string();
    }
    const std::string folder = FolderOf(file).string();
    auto resolved = folders.find(folder);
    if (resolved == folders.end()) {
        fs::path canonical = fs::canonical(folder, error);
        if (error) {
            canonical = fs::absolute(folder, error).lexically_normal();
        }
        resolved = folders.emplace(folder, canonical.string()).first;
    }
    return (fs::path(resolved->second) / name).string();
}

// What stands at path if it is neither a file nor nothing.
const char* NotAFile(const std::filesystem::path& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status) || fs::is_regular_file(status)) {
        return nullptr;
    }
    return fs::is_symlink(status) ? "a symbolic link" : fs::is_directory(status) ? "a directory" : "not a file";
}

}  // namespace

std::string FindCollision(const std::vector<PlannedOutput>& outputs)
{
    std::unordered_map<std::string, std::string> folders;
    std::unordered_map<std::string, std::size_t> firstAt;  // each file, by the first output planned there
    for (std::size_t later = 0; later < outputs.size(); ++later) {
        const PlannedOutput& output = outputs[later];
        if (const char* what = output.chosenByRun ? NotAFile(output.path) : nullptr) {
            return OneLine(output.option + ": " + QuotedPath(output.path.string()) + " is " + what +
                           "; expected a file the run may replace, or none");
        }
        const auto [earlier, isNew] = firstAt.try_emplace(FileOf(output.path, folders), later);
        if (!isNew) {
            return OneLine(output.option + ": " + QuotedPath(output.path.string()) + " is the same file as " +
                           outputs[earlier->second].what);
        }
    }
    return {};
}

}  // namespace nexmar
