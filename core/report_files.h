#pragma once

#include <sys/stat.h>

#include <cstdarg>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/output_commit.h"
#include "core/report_sink.h"

namespace nexmar {

class BlockWriter;

inline constexpr const char* kTextReportName = "TNXT001";
inline constexpr const char* kHtmlReportName = "TNXH001";

// Appends field to a row of the comma-separated report: a text with a comma
// or a double quote goes between double quotes (inner quotes doubled), so
// every CSV reader sees the fields of the header. Any other text is appended
// as it stands.
void AppendCsvField(std::string& row, std::string_view field);

// When a run's report bytes reach the files, chosen by whoever owns the reports.
enum class ReportDelivery {
    // Written at the reports' names as the run goes, and flushed after the
    // prologue, the Low header and every Low row: a report can be read while
    // the run is still going. The run holds its folders' FolderLock
    // throughout, so that no other run names its reports there meanwhile.
    Live,
    // Written through large buffers, by a thread of their own, into files
    // staged by an OutputCommit, which take the reports' names only when both
    // are complete. A run that fails or is killed leaves no partial report
    // behind and the previous run's reports as they were.
    WhenComplete,
};

// The two reports of one run as files: the comma-separated TextReport and the
// HtmlReport. While they are not open (either failed to open) every write is
// dropped.
class ReportFiles final : public ReportSink {
public:
    // The reports under their fixed names in directory.
    explicit ReportFiles(const std::filesystem::path& directory, ReportDelivery delivery = ReportDelivery::Live);
    ReportFiles(std::filesystem::path htmlPath, std::filesystem::path textPath,
                ReportDelivery delivery = ReportDelivery::Live);
    ~ReportFiles() override;
    ReportFiles(const ReportFiles&) = delete;
    ReportFiles& operator=(const ReportFiles&) = delete;

    // Recreates both files (HTML first). On failure it closes whichever file
    // did open and leaves the reports closed for the rest of the run. A name
    // that is a symbolic link or a directory counts as a failure to open.
    bool OpenReports() override;
    // Delivered WhenComplete, complete reports take their names when commit
    // names the run's other outputs, rather than when they are closed. commit
    // must outlive the reports' run.
    void CommitWith(OutputCommit& commit) { commit_ = &commit; }

    // Closes both files (delivered WhenComplete, they take the reports' names
    // now, or are handed to the commit given to CommitWith). Returns whether
    // both reports are complete: false after a write error anywhere in the run.
    bool CloseReports() override;

    // Whether the file open as descriptor fd is the report (HTML or text)
    // exactly as the last complete run closed it: a report deleted, replaced
    // or rewritten since then is no longer that run's.
    bool IsAsClosed(int fd, bool html) const;

    void Text(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Html(const char* format, ...) __attribute__((format(printf, 2, 3)));

    const std::filesystem::path& HtmlPath() const { return htmlPath_; }
    const std::filesystem::path& TextPath() const { return textPath_; }

private:
    // A report's descriptor, and whether a write to it failed.
    struct Stream {
        int fd = -1;
        bool failed = false;
    };
    Stream& StreamOf(std::size_t report) { return report == kHtml ? html_ : text_; }
    // Delivered Live, written to the file; WhenComplete, handed to the writer thread.
    void Drain(std::size_t report) override;
    void Printf(std::size_t report, const char* format, va_list args) __attribute__((format(printf, 3, 0)));
    bool Open(std::size_t report, const std::filesystem::path& path);
    OutputCommit& Staging() { return commit_ != nullptr ? *commit_ : *ownCommit_; }
    void CloseStreams();

    struct Identity {
        dev_t device;
        ino_t inode;
        off_t size;
        timespec modified;
    };
    static std::optional<Identity> IdentityOf(int fd);

    std::filesystem::path htmlPath_;
    std::filesystem::path textPath_;
    ReportDelivery delivery_;
    OutputCommit* commit_ = nullptr;
    std::unique_ptr<OutputCommit> ownCommit_;  // staging one run, when no commit was given
    std::vector<FolderLock> locks_;  // while reports delivered Live are open
    Stream html_;
    Stream text_;
    std::unique_ptr<BlockWriter> writer_;  // while reports delivered WhenComplete are open
    std::optional<Identity> htmlClosed_;
    std::optional<Identity> textClosed_;
};

}  // namespace nexmar
