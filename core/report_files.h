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

// The two report streams of one run: the comma-separated TextReport and the
// HtmlReport. While they are not open (either failed to open) every write is
// dropped, so writers never see a stream that might be closed.
class ReportFiles {
public:
    // The reports under their fixed names in directory.
    explicit ReportFiles(const std::filesystem::path& directory, ReportDelivery delivery = ReportDelivery::Live);
    ReportFiles(std::filesystem::path htmlPath, std::filesystem::path textPath,
                ReportDelivery delivery = ReportDelivery::Live);
    ~ReportFiles();
    ReportFiles(const ReportFiles&) = delete;
    ReportFiles& operator=(const ReportFiles&) = delete;

    // Recreates both files (HTML first). On failure it closes whichever file
    // did open and leaves the reports closed for the rest of the run. A name
    // that is a symbolic link or a directory counts as a failure to open.
    bool OpenReports();
    // Delivered WhenComplete, complete reports take their names when commit
    // names the run's other outputs, rather than when they are closed. commit
    // must outlive the reports' run.
    void CommitWith(OutputCommit& commit) { commit_ = &commit; }
    bool IsOpen() const { return html_.fd >= 0; }

    // Closes both files (delivered WhenComplete, they take the reports' names
    // now, or are handed to the commit given to CommitWith). Returns whether
    // both reports are complete: false after a write error anywhere in the run.
    bool CloseReports();

    // Whether the file open as descriptor fd is the report (HTML or text)
    // exactly as the last complete run closed it: a report deleted, replaced
    // or rewritten since then is no longer that run's.
    bool IsAsClosed(int fd, bool html) const;

    void Text(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Html(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Writes text as it stands, for rows a renderer has put together.
    void WriteText(std::string_view text);
    void WriteHtml(std::string_view text);
    // Appends one row to each report in place, without a copy: put receives
    // the text and the HTML report's buffer, in that order, and appends to
    // each.
    template <class Put>
    void WriteRow(Put&& put)
    {
        if (IsOpen()) {
            MakeRoomForRow(text_);
            MakeRoomForRow(html_);
            put(text_.pending, html_.pending);
        }
    }
    // Delivered Live, writes out what the run has written so far.
    void Flush();

    const std::filesystem::path& HtmlPath() const { return htmlPath_; }
    const std::filesystem::path& TextPath() const { return textPath_; }

private:
    // Bytes a report collects before they are written: large enough that a
    // batch run makes few system calls, small enough to keep its memory flat.
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
    static constexpr std::size_t kRowBytes = std::size_t{64} << 10;

    // A report's descriptor and the bytes not yet written to it.
    struct Stream {
        int fd = -1;
        std::string pending;
        bool failed = false;
    };
    void Append(Stream& stream, std::string_view bytes);
    // Room for any row the reports hold, so the buffer need not grow; asked
    // for before every row, so it is inline.
    void MakeRoomForRow(Stream& stream)
    {
        if (stream.pending.size() > kBufferBytes - kRowBytes) {
            Drain(stream);
        }
    }
    void Drain(Stream& stream);
    void Printf(Stream& stream, const char* format, va_list args) __attribute__((format(printf, 3, 0)));
    bool Open(Stream& stream, const std::filesystem::path& path);
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
