#include "cli/shown_systems.h"

#include <algorithm>

#include "cli/picture_files.h"

namespace nexmar {

namespace {

class QuietNotifier final : public Notifier {
public:
    void Notify(const std::string&) override {}
};

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
        ResultTree tree;
        ReportFiles nowhere("/dev/null", "/dev/null");
        QuietNotifier quiet;
        records.Run({options.run, kMaxBatchSystems, false, &counter}, tree,
                    nowhere, quiet, {}, {});
        shown.count = choice.shown();
        shown.numbers = choice.numbers();
    }
    return shown;
}

}  // namespace nexmar
