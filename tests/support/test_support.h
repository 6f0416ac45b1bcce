#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/dice.h"
#include "run/generation_run.h"
#include "core/notifier.h"
#include "support/record_printing.h"
#include "support/scratch.h"

namespace nexmar::testing {

// Dice that return the faces they are given, in order, and record every
// (low, high) call so a test can check the exact order of the dice.
class ScriptedDice final : public Dice {
public:
    explicit ScriptedDice(std::vector<int> faces) : faces_(std::move(faces)) {}

    int Roll(int low, int high) override
    {
        calls.emplace_back(low, high);
        if (next_ >= faces_.size()) {
            ADD_FAILURE() << "no face scripted for roll " << calls.size() << " (" << low << ", " << high << ")";
            return low;
        }
        const int face = faces_[next_++];
        EXPECT_TRUE(face >= low && face <= high)
            << "face " << face << " outside (" << low << ", " << high << ") at roll " << calls.size();
        return face;
    }

    bool AllUsed() const { return next_ == faces_.size(); }

    std::vector<std::pair<int, int>> calls;

private:
    std::vector<int> faces_;
    std::size_t next_ = 0;
};

// Names each case of a parameterised test after its param's name, every
// character other than a letter or a digit made an underscore, as
// GoogleTest asks of a name.
struct ParamNamed {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const
    {
        std::string name;
        for (const char c : std::string(info.param.name)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    }
};

// A whole run on scripted faces into a fresh directory: both reports, the
// tree and the dice calls. Every face must be used and the reports complete.
struct ScriptedRun {
    std::string text;
    std::string html;
    ResultTree tree;
    std::vector<std::pair<int, int>> calls;
};

inline ScriptedRun RunScripted(const RunInputs& inputs, std::vector<int> faces)
{
    TempDir dir;
    ScriptedDice dice(std::move(faces));
    ScriptedRun run;
    ReportFiles reports(dir.path());
    RecordingNotifier notifier;
    EXPECT_TRUE(RunGeneration(inputs, dice, run.tree, reports, notifier).reportsComplete);
    EXPECT_TRUE(dice.AllUsed());
    run.calls = dice.calls;
    run.text = ReadFile(dir.path() / kTextReportName);
    run.html = ReadFile(dir.path() / kHtmlReportName);
    return run;
}

}  // namespace nexmar::testing
