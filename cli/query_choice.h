#pragma once

#include <cstddef>
#include <vector>

#include "run/generation_run.h"
#include "run/system_query.h"

namespace nexmar {

// The systems --where shows: those its query matches, each under its number
// in the run. Every system, shown or not, is handed to everySystem (the
// statistics, whose tables' odds hold for the whole run and not for a chosen
// few). Counts the systems shown, and keeps the numbers of the first
// numbersKept of them.
class QueryChoice final : public SystemChoice {
public:
    QueryChoice(const SystemQuery& query, RecordObserver* everySystem, std::size_t numbersKept)
        : query_(query), everySystem_(everySystem), numbersKept_(numbersKept)
    {
    }

    bool Shows(int number, const LowSystem& system) override
    {
        if (everySystem_ != nullptr) {
            everySystem_->OnLowSystem(number, system);
        }
        return Counted(number, query_.Matches(number, system));
    }
    bool Shows(int number, const MediumSystem& system) override
    {
        if (everySystem_ != nullptr) {
            everySystem_->OnMediumSystem(number, system);
        }
        return Counted(number, query_.Matches(number, system));
    }
    bool Shows(int number, const HighSystem& system) override
    {
        if (everySystem_ != nullptr) {
            everySystem_->OnHighSystem(number, system);
        }
        return Counted(number, query_.Matches(number, system));
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
    RecordObserver* everySystem_;
    std::size_t numbersKept_;
    int shown_ = 0;
    std::vector<int> numbers_;
};

// Counts what choice would show, and shows nothing: a run made with it before
// the real one tells how many systems the real one shows, which the picture
// sheet's page and the limit of --svg need before anything is written.
class CountOnly final : public SystemChoice {
public:
    explicit CountOnly(SystemChoice& choice) : choice_(choice) {}
    bool Shows(int number, const LowSystem& system) override
    {
        choice_.Shows(number, system);
        return false;
    }
    bool Shows(int number, const MediumSystem& system) override
    {
        choice_.Shows(number, system);
        return false;
    }
    bool Shows(int number, const HighSystem& system) override
    {
        choice_.Shows(number, system);
        return false;
    }

private:
    SystemChoice& choice_;
};

}  // namespace nexmar
