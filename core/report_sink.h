#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nexmar {

// Where one run's two reports go, the comma-separated text report and the
// HTML report: a pair of files (ReportFiles) or a pair of strings
// (ReportStrings). Writers append to a buffer per report in place; the sink
// hands full buffers on. While the reports are not open every write is
// dropped, so writers never see a report that might be closed.
class ReportSink {
public:
    virtual ~ReportSink() = default;

    // Begins both reports afresh; false when they cannot be, and they stay
    // closed for the rest of the run.
    virtual bool OpenReports() = 0;
    // Ends both reports. Whether both are complete.
    virtual bool CloseReports() = 0;
    bool IsOpen() const { return open_; }

    // Writes text as it stands, for rows a renderer has put together.
    void WriteText(std::string_view text) { Append(kText, text); }
    void WriteHtml(std::string_view text) { Append(kHtml, text); }
    // Appends one row to each report in place, without a copy: put receives
    // the text and the HTML report's buffer, in that order, and appends to
    // each.
    template <class Put>
    void WriteRow(Put&& put)
    {
        if (open_) {
            MakeRoomForRow(kText);
            MakeRoomForRow(kHtml);
            put(pending_[kText], pending_[kHtml]);
        }
    }
    // Hands on what the run has written so far, when the sink's reports may
    // be read while the run goes (files written in place).
    void Flush()
    {
        if (open_ && flushes_) {
            Drain(kHtml);
            Drain(kText);
        }
    }

protected:
    // The reports, as indexes of their buffers.
    static constexpr std::size_t kHtml = 0;
    static constexpr std::size_t kText = 1;
    // Bytes a report collects before they are handed on: large enough that a
    // batch run makes few system calls, small enough to keep its memory flat.
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

    // Hands the report's buffered bytes on and leaves its buffer empty.
    virtual void Drain(std::size_t report) = 0;
    std::string& Pending(std::size_t report) { return pending_[report]; }
    void SetOpen(bool open) { open_ = open; }
    void SetFlushes(bool flushes) { flushes_ = flushes; }

private:
    static constexpr std::size_t kRowBytes = std::size_t{64} << 10;

    void Append(std::size_t report, std::string_view bytes);
    // Room for any row the reports hold, so the buffer need not grow; asked
    // for before every row, so it is inline.
    void MakeRoomForRow(std::size_t report)
    {
        if (pending_[report].size() > kBufferBytes - kRowBytes) {
            Drain(report);
        }
    }

    std::string pending_[2];  // by kHtml, kText
    bool open_ = false;
    bool flushes_ = false;
};

// Both reports written into memory: for a report shown or saved elsewhere
// (one system's rows copied as text, the report of the systems a filter
// kept), with no file between.
class ReportStrings final : public ReportSink {
public:
    bool OpenReports() override;
    bool CloseReports() override;

    // The reports as written so far, complete once closed.
    const std::string& Text() const { return text_; }
    const std::string& Html() const { return html_; }

private:
    void Drain(std::size_t report) override;

    std::string html_;
    std::string text_;
};

}  // namespace nexmar
