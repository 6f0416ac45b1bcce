#include "cli/shown_systems.h"

#include <algorithm>

#include "cli/picture_files.h"

namespace nexmar {

namespace {

class QuietNotifier final : public Notifier {
public:
    void Notify(const std::string&) override {}
};

// Counts the systems shown that the players may see, and shows nothing.
class PlayerCount final : public SystemChoice {
public:
    PlayerCount(const std::optional<SystemQuery>& query, const SectorEdits& edits) : query_(query), edits_(edits) {}
    bool Shows(int number, const SystemRecord& system) override
    {
        if ((!query_ || query_->Matches(number, system, nullptr, &edits_)) && PlayerSystemOf(edits_, number)) {
            ++count_;
        }
        return false;
    }
    int count() const { return count_; }

private:
    const std::optional<SystemQuery>& query_;
    const SectorEdits& edits_;
    int count_ = 0;
};

// Makes a run of records that shows nothing, only for what choice counts.
void CountRun(const CliOptions& options, const RecordSource& records, SystemChoice& choice)
{
    ResultTree tree;
    ReportFiles nowhere("/dev/null", "/dev/null");
    QuietNotifier quiet;
    records.Run({options.run, kMaxBatchSystems, false, &choice}, tree, nowhere, quiet, {}, {});
}

}  // namespace

RunOutcome RecordSource::Run(const RunInputs& inputs, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                             const SystemDone& systemDone, std::span<RunOutput* const> outputs) const
{
    if (file_ != nullptr) {
        return file_->Render(inputs, tree, reports, notifier, systemDone, outputs);
    }
    SeededDice dice(seed_);
    return RunGeneration(inputs, dice, tree, reports, notifier, systemDone, outputs);
}

std::vector<int> RecordSource::FirstNumbers(int systems) const
{
    if (file_ != nullptr) {
        return file_->FirstNumbers();
    }
    std::vector<int> numbers;
    for (int number = 1; number <= std::min(systems, kMaxPictureFiles + 1); ++number) {
        numbers.push_back(number);
    }
    return numbers;
}

ShownSystems CountShown(const CliOptions& options, const std::optional<SystemQuery>& query,
                        const RecordSource& records)
{
    const bool pictureFiles = !options.pictureDirectory.empty();
    ShownSystems shown;
    if (!query) {
        shown.count = options.run.systems;
        if (pictureFiles) {
            shown.numbers = records.FirstNumbers(options.run.systems);
        }
    } else if (pictureFiles || !options.pictureSheet.empty()) {
        // A run of its own that shows nothing: the dice, or the file, give
        // the same records again. Whatever it would say, the real run says.
        QueryChoice choice(*query, nullptr, kMaxPictureFiles + 1, records.Edits());
        CountOnly counter(choice);
        CountRun(options, records, counter);
        shown.count = choice.shown();
        shown.numbers = choice.numbers();
    }
    if (options.playerPictures && !options.pictureSheet.empty()) {
        PlayerCount players(query, records.Edits());
        CountRun(options, records, players);
        shown.toPlayers = players.count();
    }
    return shown;
}

}  // namespace nexmar
