#include "cli/run_failure.h"

#include <cerrno>
#include <cstring>

#include "cli/command_line.h"
#include "core/quoted_path.h"
#include "report/report_writer.h"

namespace nexmar {

namespace {

// A line stays readable however long the paths in it: a few hundred bytes.
constexpr std::size_t kMaxLineBytes = 400;

}  // namespace

void RunFailure::Notify(const std::string& message)
{
    // The dialog's words for the reports name neither file nor cause.
    if (message == kOpenReportsFailed || message == kWriteReportsFailed) {
        if (vague_.empty()) {
            const char* what = message == kOpenReportsFailed ? "create" : "write";
            vague_ = std::string("could not ") + what + " the reports " + kTextReportName + " and " +
                     kHtmlReportName + " in " + QuotedPath(directory_.string());
            if (const int cause = reports_ != nullptr ? reports_->FailureCause() : 0; cause != 0) {
                vague_.append(": ").append(std::strerror(cause));
            }
        }
        return;
    }
    Add(message);
}

void RunFailure::Add(const std::string& message)
{
    if (first_.empty()) {
        first_ = message;
    }
}

void RunFailure::Say(std::FILE* err, const std::string& outcome) const
{
    std::string line = OneLine(first_.empty() ? vague_ : first_);
    if (line.size() + outcome.size() > kMaxLineBytes) {
        std::size_t cut = kMaxLineBytes > outcome.size() + 3 ? kMaxLineBytes - outcome.size() - 3 : 0;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;  // never half a character
        }
        line.resize(cut);
        line += "...";
    }
    std::fprintf(err, "nexmar-cli: %s%s\n", line.c_str(), outcome.c_str());
}

HeldOutput::HeldOutput(std::FILE* out, bool hold) : out_(out), held_(hold ? std::tmpfile() : nullptr) {}

HeldOutput::~HeldOutput()
{
    if (held_ != nullptr) {
        std::fclose(held_);
    }
}

bool HeldOutput::Deliver(std::string& cause)
{
    errno = 0;
    if (held_ != nullptr) {
        char block[1 << 16];
        bool read = std::fflush(held_) == 0 && std::fseek(held_, 0, SEEK_SET) == 0;
        for (std::size_t got; read && (got = std::fread(block, 1, sizeof block, held_)) > 0;) {
            std::fwrite(block, 1, got, out_);
        }
        read = read && !std::ferror(held_);
        if (!read) {
            cause = std::string("cannot read back what was held for it: ") + std::strerror(errno != 0 ? errno : EIO);
            return false;
        }
    }
    if (std::fflush(out_) == 0 && !std::ferror(out_)) {
        return true;
    }
    cause = errno != 0 ? std::strerror(errno) : "a write failed";
    return false;
}

}  // namespace nexmar
