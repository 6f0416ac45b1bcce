#include "cli/output_plan.h"

#include <unordered_map>

#include "cli/output_place.h"
#include "cli/picture_files.h"
#include "core/output_commit.h"
#include "core/quoted_path.h"
#include "core/report_files.h"

namespace nexmar {

namespace {

// An output as a refusal names it: its option and its path, quoted unless
// it is "-".
std::string Named(const char* option, const std::filesystem::path& path)
{
    return std::string(option) + " " + (path == "-" ? std::string("-") : QuotedPath(path.string()));
}

}  // namespace

std::vector<PlannedOutput> PlanOutputs(const CliOptions& options, std::span<const int> pictures)
{
    std::vector<PlannedOutput> outputs;
    if (options.printTree || options.printStatistics) {
        const char* printed = options.printTree ? "--tree" : "--stats";
        outputs.push_back({printed, printed, "-"});
    }
    for (const char* report : {kTextReportName, kHtmlReportName}) {
        outputs.push_back(
            {"--dir", std::string("the report ") + report + " in --dir", options.directory / report, true});
    }
    const struct {
        const char* option;
        std::filesystem::path path;
    } named[] = {{"--json", options.jsonPath},
                 {"--stats-json", options.statisticsJson},
                 {"--svg-sheet", options.pictureSheet},
                 {"--handout", options.handout},
                 {"--map", options.map}};
    for (const auto& [option, path] : named) {
        if (!path.empty()) {
            outputs.push_back({option, Named(option, path), path});
        }
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

// The key of standard output among the files, which are absolute paths.
constexpr const char* kStandardOutput = "standard output";

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

// The stream an output names, as the key two outputs share when they name
// one: empty for a file.
std::string StreamOf(const PlannedOutput& output)
{
    // A name the run chooses is a file or is refused, and there may be ten
    // thousand of them.
    if (output.chosenByRun) {
        return {};
    }
    const OutputPlace place = PlaceOf(output.path);
    switch (place.kind) {
    case OutputPlace::Kind::StandardOutput:
        return kStandardOutput;
    case OutputPlace::Kind::Descriptor:
        return "descriptor " + std::to_string(place.descriptor);
    default:
        return {};
    }
}

}  // namespace

std::string FindCollision(const std::vector<PlannedOutput>& outputs)
{
    std::unordered_map<std::string, std::string> folders;
    std::unordered_map<std::string, std::size_t> firstAt;  // each output's file or stream, by the first planned there
    for (std::size_t later = 0; later < outputs.size(); ++later) {
        const PlannedOutput& output = outputs[later];
        if (const char* what = output.chosenByRun ? NotAFile(output.path) : nullptr) {
            return OneLine(output.option + ": " + QuotedPath(output.path.string()) + " is " + what +
                           "; expected a file the run may replace, or none");
        }
        std::string stream = StreamOf(output);
        const bool isStream = !stream.empty();
        const auto [earlier, isNew] =
            firstAt.try_emplace(isStream ? std::move(stream) : FileOf(output.path, folders), later);
        if (isNew) {
            continue;
        }
        const PlannedOutput& first = outputs[earlier->second];
        if (earlier->first == kStandardOutput) {
            return OneLine(output.what + " and " + first.what + " cannot share standard output");
        }
        return OneLine(output.option + ": " + QuotedPath(output.path.string()) + " is the same " +
                       (isStream ? "stream" : "file") + " as " + first.what);
    }
    return {};
}

}  // namespace nexmar
