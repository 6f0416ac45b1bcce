#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/notifier.h"
#include "core/report_files.h"

namespace nexmar {

// What stopped a run's outputs, said once at the end in one line however
// many of them failed, since one cause (a full disk) fails them all: the
// first failure that names its file and cause, else the first of any.
class RunFailure final : public Notifier {
public:
    // directory: where the reports go, for a report's failure to name;
    // reports, when given, tells its cause.
    explicit RunFailure(std::filesystem::path directory, const ReportFiles* reports = nullptr)
        : directory_(std::move(directory)), reports_(reports)
    {
    }

    // From the run: the reports' failures, and the second reading's.
    void Notify(const std::string& message) override;
    // A failure that names its file and cause.
    void Add(const std::string& message);
    bool Any() const { return !first_.empty() || !vague_.empty(); }
    // The line, "nexmar-cli: " and the failure, then outcome ("; no file was
    // replaced"), cut to a bounded length.
    void Say(std::FILE* err, const std::string& outcome) const;

private:
    std::filesystem::path directory_;
    const ReportFiles* reports_;
    std::string first_;
    std::string vague_;  // the first failure that names no cause
};

// Standard output as the run sees it: the real one, or, while a saved run
// is read a second time, a file that holds what goes there until the
// reading is known to be whole, so that a document changed meanwhile sends
// no part of its outputs anywhere.
class HeldOutput {
public:
    HeldOutput(std::FILE* out, bool hold);
    ~HeldOutput();
    HeldOutput(const HeldOutput&) = delete;
    HeldOutput& operator=(const HeldOutput&) = delete;

    std::FILE* stream() const { return held_ != nullptr ? held_ : out_; }
    // Sends what was held on to standard output; then flushes it. Whether
    // every byte arrived; when not, cause says why.
    bool Deliver(std::string& cause);

private:
    std::FILE* out_;
    std::FILE* held_ = nullptr;
};

}  // namespace nexmar
