#include "core/report_sink.h"

namespace nexmar {

void ReportSink::Append(std::size_t report, std::string_view bytes)
{
    if (!open_) {
        return;
    }
    if (pending_[report].size() + bytes.size() > kBufferBytes) {
        Drain(report);
    }
    pending_[report].append(bytes);
}

bool ReportStrings::OpenReports()
{
    html_.clear();
    text_.clear();
    Pending(kHtml).clear();
    Pending(kText).clear();
    SetOpen(true);
    return true;
}

bool ReportStrings::CloseReports()
{
    if (!IsOpen()) {
        return false;
    }
    Drain(kHtml);
    Drain(kText);
    SetOpen(false);
    return true;
}

void ReportStrings::Drain(std::size_t report)
{
    std::string& pending = Pending(report);
    std::string& out = report == kHtml ? html_ : text_;
    // The first block is taken whole, without a copy.
    if (out.empty()) {
        out.swap(pending);
    } else {
        out.append(pending);
    }
    pending.clear();
}

}  // namespace nexmar
