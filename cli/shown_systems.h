#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "cli/command_line.h"
#include "cli/json_run_file.h"
#include "run/generation_run.h"
#include "query/system_query.h"

namespace nexmar {

// The systems --where shows: those its query matches, each under its number
// in the run. Every system, shown or not, is handed to everySystem (the
// statistics, whose tables' odds hold for the whole run and not for a chosen
// few). Counts the systems shown, and keeps the numbers of the first
// numbersKept of them. edits name the systems and hold their notes.
class QueryChoice final : public SystemChoice {
public:
    QueryChoice(const SystemQuery& query, RunOutput* everySystem, std::size_t numbersKept, const SectorEdits& edits)
        : query_(query), everySystem_(everySystem), numbersKept_(numbersKept), edits_(edits)
    {
    }

    bool Shows(int number, const SystemRecord& system) override
    {
        if (everySystem_ != nullptr) {
            everySystem_->Add(number, system);
        }
        return Counted(number, query_.Matches(number, system, nullptr, &edits_));
    }

    int shown() const { return shown_; }
    const std::vector<int>& numbers() const { return numbers_; }

private:
    bool Counted(int number, bool matches)
    {
        if (matches) {
            ++shown_;
            if (numbers_.size() < numbersKept_) {
                numbers_.push_back(number);
            }
        }
        return matches;
    }

    const SystemQuery& query_;
    RunOutput* everySystem_;
    std::size_t numbersKept_;
    const SectorEdits& edits_;
    int shown_ = 0;
    std::vector<int> numbers_;
};

// Counts what choice would show, and shows nothing: a run made with it before
// the real one tells how many systems the real one shows, which the picture
// sheet's page and the limit of --svg need before anything is written.
class CountOnly final : public SystemChoice {
public:
    explicit CountOnly(SystemChoice& choice) : choice_(choice) {}
    bool Shows(int number, const SystemRecord& system) override
    {
        choice_.Shows(number, system);
        return false;
    }

private:
    SystemChoice& choice_;
};

// The records of a run, from the dice or from --from-json: the same ones each
// time it is made, so that a run made to count what --where shows sees what
// the real one will. Its edits name each system, and hold what the
// referee made of it, while the run shows it.
class RecordSource {
public:
    // A run from the dice is mapped at density and jump, which its document keeps.
    RecordSource(JsonRunFile* file, Seed seed, int density, int jump) : file_(file), seed_(seed), generated_(seed)
    {
        generated_.Map().density = density;
        generated_.Map().jump = jump;
    }
    const SectorEdits& Edits() const { return file_ != nullptr ? file_->Edits() : generated_; }
    RunOutcome Run(const RunInputs& inputs, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                   const SystemDone& systemDone, std::span<RunOutput* const> outputs) const;
    // The numbers of the first systems of a run of that many, at most kMaxPictureFiles + 1.
    std::vector<int> FirstNumbers(int systems) const;

private:
    JsonRunFile* file_;
    Seed seed_;
    SectorEdits generated_;  // the names of a run from the dice
};

// The systems a run will show, known before it starts.
struct ShownSystems {
    int count = 0;
    // With --svg, the numbers of the first kMaxPictureFiles + 1, for their files.
    std::vector<int> numbers;
    // With --player and --svg-sheet, how many of them the players are shown.
    int toPlayers = 0;
};

// Without a query, every system of the run. With one, and pictures asked
// for, what a run of its own that shows nothing counts (the dice, or the
// file, give the same records again); otherwise nothing is counted. The
// systems shown to the players are counted the same way, for their sheet.
ShownSystems CountShown(const CliOptions& options, const std::optional<SystemQuery>& query,
                        const RecordSource& records);

}  // namespace nexmar
