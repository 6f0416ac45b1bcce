#include "cli/cli_app.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>

#include "core/block_writer.h"
#include "core/quoted_path.h"
#include "core/report_files.h"
#include "cli/file_output.h"
#include "cli/json_output.h"
#include "cli/json_run_file.h"
#include "cli/output_plan.h"
#include "cli/picture_files.h"
#include "cli/rules_option.h"
#include "cli/run_failure.h"
#include "cli/shown_systems.h"
#include "json/json_export.h"
#include "json/rules_file.h"
#include "handout/handout_page.h"
#include "map/run_places.h"
#include "map/sector_map_output.h"
#include "picture/picture_sheet.h"
#include "stats/statistics_report.h"
#include "query/system_query.h"
#include "run/tree_renderer.h"

namespace nexmar {

namespace {

// Standard output, for what the command prints without a run (help, the
// version): output that never arrived is a failure like any other, whether
// the disk is full or standard output was closed.
bool Delivered(std::FILE* out, std::FILE* err)
{
    errno = 0;
    if (std::fflush(out) == 0 && !std::ferror(out)) {
        return true;
    }
    const int cause = errno;
    std::fprintf(err, "nexmar-cli: could not write to standard output%s%s\n", cause != 0 ? ": " : "",
                 cause != 0 ? std::strerror(cause) : "");
    return false;
}

// The files of a run other than the reports, each staged in the run's commit
// unless it names a stream (standard output, a device, a pipe), which is
// written as it stands.
struct RunFiles {
    std::unique_ptr<JsonOutput> json;
    FileOutput statistics;
    FileOutput sheet;
    FileOutput handout;
    FileOutput map;
    std::unique_ptr<PictureFiles> pictures;
};

struct OtherFile {
    const std::filesystem::path& path;
    FileOutput& file;
    const char* what;  // as a failure names it
};

std::array<OtherFile, 4> OtherFiles(const CliOptions& options, RunFiles& files)
{
    return {{{options.statisticsJson, files.statistics, "the statistics"},
             {options.pictureSheet, files.sheet, "the picture sheet"},
             {options.handout, files.handout, "the handout"},
             {options.map, files.map, "the map"}}};
}

// Opens what the run writes besides the reports, before the run begins, so
// that a file that cannot be created is refused before anything is touched.
// shown: how many systems the run shows, each with a picture.
bool OpenRunFiles(const CliOptions& options, int shown, const SectorEdits& edits, std::FILE* out,
                  OutputCommit& commit, RunFiles& files, std::FILE* err)
{
    std::string error;
    if (!options.jsonPath.empty()) {
        files.json = JsonOutput::Open(options.jsonPath, out, commit, error);
        if (!files.json) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
            return false;
        }
    }
    for (const OtherFile& other : OtherFiles(options, files)) {
        if (!other.path.empty() && !other.file.Open(other.path, commit, out)) {
            std::fprintf(err, "nexmar-cli: could not write %s to %s: %s\n", other.what,
                         OneLine(other.path.string()).c_str(), std::strerror(errno));
            return false;
        }
    }
    if (!options.pictureDirectory.empty()) {
        files.pictures = PictureFiles::Open(options.pictureDirectory, shown, commit, edits, error,
                                            options.playerPictures ? PictureAudience::Players
                                                                   : PictureAudience::Referee,
                                            options.pictureLegend ? PictureLegend::Below : PictureLegend::Without);
        if (!files.pictures) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
            return false;
        }
    }
    return true;
}

// Completes the files the run wrote as it went; failure keeps what failed.
bool FinishRunFiles(const CliOptions& options, RunFiles& files, const std::optional<RunStatistics>& statistics,
                    RunFailure& failure)
{
    bool finished = true;
    std::string error;
    if (files.json && !files.json->Finish(error)) {
        failure.Add(error);
        finished = false;
    }
    if (files.statistics.IsOpen()) {
        files.statistics.Write(StatisticsJson(*statistics));
    }
    for (const OtherFile& other : OtherFiles(options, files)) {
        if (other.file.IsOpen() && !other.file.Finish()) {
            failure.Add(std::string("could not write ") + other.what + " to " + QuotedPath(other.path.string()) +
                        ": " + std::strerror(errno));
            finished = false;
        }
    }
    if (files.pictures && !files.pictures->Finish(error)) {
        failure.Add(error);
        finished = false;
    }
    return finished;
}

}  // namespace

namespace {

// Prints each system as it completes and then drops it, so memory stays flat
// however many systems a batch asks for. The printed lines go out in blocks
// of about a megabyte rather than a write per item.
class TreePrinter {
public:
    TreePrinter(ResultTree& tree, std::FILE* out, bool print) : tree_(tree), out_(out), print_(print) {}

    void SystemDone(ItemId system)
    {
        if (print_) {
            // The first system comes with the root above it; the later ones
            // alone, their elders being dropped.
            if (!rootPrinted_) {
                AppendTreeLines(lines_, tree_, tree_.at(system).parent, 0);
                rootPrinted_ = true;
            } else {
                AppendTreeLines(lines_, tree_, system, 1);
            }
            if (lines_.size() >= kBlockBytes) {
                WriteLines();
            }
        }
        tree_.DropFrom(system);
    }
    void WriteLines()
    {
        std::fwrite(lines_.data(), 1, lines_.size(), out_);
        lines_.clear();
    }
    // A run that showed no system (none matched --where) prints its root alone.
    void RootIfNoneShown()
    {
        if (print_ && !rootPrinted_ && !tree_.Children(kNoItem).empty()) {
            AppendTreeLines(lines_, tree_, tree_.Children(kNoItem).front(), 0);
            rootPrinted_ = true;
        }
    }

private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
    ResultTree& tree_;
    std::FILE* out_;
    bool print_;
    bool rootPrinted_ = false;
    std::string lines_;
};

// What a run reads before it starts: the saved run of --from-json and the
// query of --where.
struct RunSources {
    std::unique_ptr<JsonRunFile> runFile;
    std::optional<SystemQuery> query;
};

// Checks the saved run whole and takes its options, and parses the query;
// false when either fails, said on err.
bool ReadSources(CliOptions& options, RunSources& sources, std::FILE* err)
{
    if (!options.fromJsonPath.empty()) {
        std::string error;
        sources.runFile = JsonRunFile::Check(options.fromJsonPath, error);
        if (!sources.runFile) {
            std::fprintf(err, "nexmar-cli: %s\n", OneLine(error).c_str());
            return false;
        }
        sources.runFile->SetOptions(options);
        if (!sources.runFile->Notice().empty()) {
            std::fprintf(err, "nexmar-cli: --from-json: %s\n", sources.runFile->Notice().c_str());
        }
    }
    if (options.run.query) {
        SystemQueryParse parse = ParseSystemQuery(*options.run.query, options.run.level);
        if (!parse.query) {
            std::fprintf(err, "nexmar-cli: --where: %s\n", OneLine(parse.error).c_str());
            return false;
        }
        sources.query = std::move(parse.query);
        // The document keeps the systems matched under their numbers in all
        // the run rolled; a saved run filtered before keeps its own count.
        if (options.run.systemsRolled == 0) {
            options.run.systemsRolled = options.run.systems;
        }
    }
    return true;
}

// The run's places, for a query that reads them: a saved run's with the
// systems its referee moved.
std::optional<SystemPlaces> QueryPlaces(const CliOptions& options, const RunSources& sources,
                                        const SectorEdits& edits)
{
    if (!sources.query || !sources.query->ReadsRefereeText()) {
        return std::nullopt;
    }
    const int rolled = options.run.systemsRolled > 0 ? options.run.systemsRolled : options.run.systems;
    std::optional<SystemPlaces> places(RunPlaces(rolled, options.mapOptions.density, options.run.seed, edits));
    if (sources.runFile) {
        for (const auto& [number, place] : sources.runFile->Moves()) {
            places->Move(number, place);
        }
    }
    return places;
}

// Refuses, before anything is touched, more pictures than --svg writes, a
// sector beyond the map, and two outputs at one file.
bool OutputsAllowed(const CliOptions& options, const ShownSystems& shown, std::FILE* err)
{
    const int rolled = options.run.systemsRolled > 0 ? options.run.systemsRolled : options.run.systems;
    const int sectors = MapExtent::For(rolled, options.mapOptions.density).sectors;
    if (!options.map.empty() && options.mapOptions.sector > sectors) {
        std::fprintf(err,
                     "nexmar-cli: --map-sector: the map of %d systems at density %s spans %d sector%s; "
                     "expected 1 to %d\n",
                     rolled, DensityName(options.mapOptions.density).c_str(), sectors, sectors == 1 ? "" : "s",
                     sectors);
        return false;
    }
    if (!options.pictureDirectory.empty() && shown.count > kMaxPictureFiles) {
        std::fprintf(err, "nexmar-cli: --svg: the run shows %d systems; --svg writes at most %d pictures\n",
                     shown.count, kMaxPictureFiles);
        return false;
    }
    const std::string collision = FindCollision(PlanOutputs(options, shown.numbers));
    if (!collision.empty()) {
        std::fprintf(err, "nexmar-cli: %s\n", collision.c_str());
        return false;
    }
    return true;
}

// The run's outputs besides the tree and the reports: the JSON document,
// the pictures, the sheet, the statistics; and the query's choice.
struct RunFollowers {
    std::unique_ptr<JsonExport> jsonExport;
    std::optional<PictureSheet> sheet;
    std::optional<HandoutPage> handout;
    std::optional<SectorMapOutput> map;
    std::optional<RunStatistics> statistics;
    std::optional<QueryChoice> choice;
    std::vector<RunOutput*> outputs;
};

void Follow(const CliOptions& options, const RunSources& sources, const ShownSystems& shown, const SectorEdits& edits,
            RunFiles& files, RunFollowers& followers)
{
    if (files.json) {
        followers.jsonExport = std::make_unique<JsonExport>(
            "nexmar-cli", [&files](std::string_view text) { files.json->Write(text); }, &edits);
        followers.outputs.push_back(followers.jsonExport.get());
    }
    if (files.pictures) {
        followers.outputs.push_back(files.pictures.get());
    }
    if (files.sheet.IsOpen()) {
        followers.outputs.push_back(&followers.sheet.emplace(
            options.run.level, options.playerPictures ? shown.toPlayers : shown.count, [&files](std::string_view bytes) { files.sheet.Write(bytes); }, &edits,
            options.playerPictures ? PictureAudience::Players : PictureAudience::Referee));
    }
    if (files.handout.IsOpen()) {
        followers.outputs.push_back(
            &followers.handout.emplace([&files](std::string_view bytes) { files.handout.Write(bytes); }, edits));
    }
    if (files.map.IsOpen()) {
        followers.outputs.push_back(&followers.map.emplace(
            [&files](std::string_view bytes) { files.map.Write(bytes); }, edits, options.mapOptions));
    }
    if (options.printStatistics || !options.statisticsJson.empty()) {
        followers.statistics.emplace(options.run.level, options.run.census, options.run.rules.get());
    }
    if (sources.query) {
        followers.choice.emplace(*sources.query, followers.statistics ? &*followers.statistics : nullptr, 0, edits);
    } else if (followers.statistics) {
        followers.outputs.push_back(&*followers.statistics);
    }
}

// Completes every output of a finished run, standard output too, and only
// then names the staged ones together: a run whose standard output fails,
// to a full disk or a closed pipe alike, replaces no file. Whether every
// output arrived.
bool CompleteOutputs(const CliOptions& options, RunFiles& files, RunFollowers& followers, bool reportsComplete,
                     int shown, TreePrinter& printer, HeldOutput& out, OutputCommit& commit, RunFailure& failure)
{
    bool complete = FinishRunFiles(options, files, followers.statistics, failure) && reportsComplete;
    if (followers.choice && (files.pictures || followers.sheet) && followers.choice->shown() != shown) {
        failure.Add("--where: the run showed " + std::to_string(followers.choice->shown()) + " systems, not the " +
                    std::to_string(shown) + " it counted before");
        complete = false;
    }
    printer.RootIfNoneShown();
    printer.WriteLines();
    if (options.printStatistics) {
        PrintStatistics(out.stream(), *followers.statistics);
    }
    std::string cause;
    if (!out.Deliver(cause)) {
        failure.Add("could not write to standard output: " + cause);
        return false;
    }
    std::string refused;
    if (complete && !commit.Commit(refused)) {
        failure.Add(refused);
        return false;
    }
    return complete;
}

// Runs with the outputs chosen: every file the run writes is staged in one
// commit, which names them all only when all are complete, standard output
// included. A failure is said in one line.
int RunWithOutputs(CliOptions options, std::FILE* out, std::FILE* err, const CliHooks& hooks)
{
    RunSources sources;
    if (!ReadSources(options, sources, err)) {
        return kExitBadInput;
    }
    if (!options.seedGiven) {
        options.run.seed = EntropySeed();
    }
    const RecordSource records(sources.runFile.get(), options.run.seed, options.mapOptions.density,
                               options.mapOptions.jump);
    // The query holds the places by address: they are placed where they
    // stay, here, for as long as the run.
    const std::optional<SystemPlaces> places = QueryPlaces(options, sources, records.Edits());
    if (places) {
        sources.query->PlaceWith(&*places, records.Edits());
    }
    const ShownSystems shown = CountShown(options, sources.query, records);
    if (!OutputsAllowed(options, shown, err)) {
        return kExitBadInput;
    }
    if (!options.seedGiven) {
        std::fprintf(err, "seed: %s\n", std::to_string(options.run.seed).c_str());
    }
    OutputCommit commit(hooks.watch, hooks.unnamed);
    HeldOutput held(out, sources.runFile != nullptr);
    RunFiles files;
    if (!OpenRunFiles(options, shown.count, records.Edits(), held.stream(), commit, files, err)) {
        return kExitReportsFailed;
    }
    RunFollowers followers;
    Follow(options, sources, shown, records.Edits(), files, followers);
    ResultTree tree;
    ReportFiles reports(options.directory, ReportDelivery::WhenComplete);
    reports.CommitWith(commit);
    RunFailure failure(options.directory, &reports);
    TreePrinter printer(tree, held.stream(), options.printTree);
    const SystemDone printAndDrop = [&printer](const ResultTree&, ItemId system) { printer.SystemDone(system); };
    QueryChoice* choice = followers.choice ? &*followers.choice : nullptr;
    const RunInputs inputs{options.run, kMaxBatchSystems, options.printTree, choice};
    const RunOutcome outcome = records.Run(inputs, tree, reports, failure, printAndDrop, followers.outputs);
    if (!outcome.generated) {
        // The option check above and the run share their bounds; should they
        // ever part, the refusal still says why instead of failing silently.
        std::fprintf(err, "nexmar-cli: --systems: the run refused %d systems; expected %d to %d\n", options.run.systems,
                     kMinSystems, kMaxBatchSystems);
        return kExitBadInput;
    }
    // A saved run that changed under its second reading sends nothing anywhere.
    const bool whole = !sources.runFile || sources.runFile->RenderedWhole();
    if (!whole ||
        !CompleteOutputs(options, files, followers, outcome.reportsComplete, shown.count, printer, held, commit,
                         failure)) {
        failure.Say(err, commit.IsEmpty() ? "" : "; no file was replaced");
        return kExitReportsFailed;
    }
    return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, const CliHooks& hooks)
{
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.status == ParsedCommandLine::Status::Exit) {
        std::fputs(parsed.message.c_str(), out);
        return Delivered(out, err) ? 0 : kExitOutputFailed;
    }
    if (parsed.status == ParsedCommandLine::Status::Error) {
        std::fprintf(err, "nexmar-cli: %s\n", parsed.message.c_str());
        return kExitBadInput;
    }
    CliOptions options = parsed.options;
    if (!options.rulesPath.empty() && !ReadRulesOption(options.rulesPath, options.run.rules, err)) {
        return kExitBadInput;
    }
    if (options.printRules || options.printOdds) {
        if (options.printRules) {
            std::fputs(RulesFileText(options.run.rules.get()).c_str(), out);
        }
        if (options.printOdds) {
            PrintChangedOdds(out, options.run.level, options.run.rules.get());
        }
        return Delivered(out, err) ? 0 : kExitOutputFailed;
    }
    return RunWithOutputs(std::move(options), out, err, hooks);
}

void HoldClosedStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        // open takes the lowest free descriptor, which is fd itself, since
        // those below it are open by now. Should even /dev/null fail to
        // open, there is nothing better to hold the descriptor with.
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            ::open("/dev/null", O_RDONLY);
        }
    }
}

}  // namespace nexmar
