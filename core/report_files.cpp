#include "core/report_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "core/block_writer.h"

namespace nexmar {

namespace {

// Recreates the file for writing and reading. O_NOFOLLOW refuses a symbolic
// link planted at the fixed name, which would otherwise redirect the write.
int Recreate(const std::filesystem::path& path)
{
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// Whatever stands at a report's name must be a plain file that the report may
// replace: a symbolic link or a directory is refused, as Recreate refuses them.
bool MayReplace(const std::filesystem::path& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        errno = EEXIST;
        return false;
    }
    return true;
}

}  // namespace

void AppendCsvField(std::string& row, std::string_view field)
{
    // One pass over the field; find_first_of would search the set once per character.
    if (std::none_of(field.begin(), field.end(), [](char c) { return c == ',' || c == '"'; })) {
        row += field;
        return;
    }
    row.push_back('"');
    for (const char c : field) {
        row.push_back(c);
        if (c == '"') {
            row.push_back('"');
        }
    }
    row.push_back('"');
}

ReportFiles::ReportFiles(const std::filesystem::path& directory, ReportDelivery delivery)
    : ReportFiles(directory / kHtmlReportName, directory / kTextReportName, delivery)
{
}

ReportFiles::ReportFiles(std::filesystem::path htmlPath, std::filesystem::path textPath, ReportDelivery delivery)
    : htmlPath_(std::move(htmlPath)), textPath_(std::move(textPath)), delivery_(delivery)
{
    SetFlushes(delivery_ == ReportDelivery::Live);
}

ReportFiles::~ReportFiles()
{
    CloseStreams();
}

bool ReportFiles::Open(std::size_t report, const std::filesystem::path& path)
{
    Stream& stream = StreamOf(report);
    if (delivery_ == ReportDelivery::Live) {
        stream.fd = Recreate(path);
    } else {
        stream.fd = MayReplace(path) ? Staging().Stage(path) : -1;
    }
    stream.failed = false;
    Pending(report).clear();
    Pending(report).reserve(kBufferBytes);
    return stream.fd >= 0;
}

bool ReportFiles::OpenReports()
{
    CloseStreams();
    htmlClosed_.reset();
    textClosed_.reset();
    if (delivery_ == ReportDelivery::Live) {
        locks_ = LockFoldersOf({htmlPath_, textPath_});
    } else if (commit_ == nullptr) {
        ownCommit_ = std::make_unique<OutputCommit>();
    }
    const bool htmlOpened = Open(kHtml, htmlPath_);
    const bool textOpened = Open(kText, textPath_);
    if (!htmlOpened || !textOpened) {
        CloseStreams();
        return false;
    }
    if (delivery_ == ReportDelivery::WhenComplete) {
        // The block writer's streams are numbered as the reports' buffers.
        writer_ = std::make_unique<BlockWriter>(std::vector<int>{html_.fd, text_.fd});
    }
    SetOpen(true);
    return true;
}

bool ReportFiles::CloseReports()
{
    if (!IsOpen()) {
        return false;
    }
    Drain(kHtml);
    Drain(kText);
    SetOpen(false);
    if (writer_) {
        const std::vector<bool> written = writer_->Finish();
        html_.failed = !written[kHtml];
        text_.failed = !written[kText];
        writer_.reset();
    }
    bool complete = !html_.failed && !text_.failed;
    const std::optional<Identity> html = IdentityOf(html_.fd);
    const std::optional<Identity> text = IdentityOf(text_.fd);
    if (delivery_ == ReportDelivery::WhenComplete) {
        if (!complete) {
            CloseStreams();
        } else if (ownCommit_ != nullptr) {
            std::string ignored;  // the notifier's message says it
            complete = ownCommit_->Commit(ignored);
            ownCommit_.reset();
        }
        text_.fd = html_.fd = -1;  // the commit's now
    } else {
        // close can still report a write that failed late.
        const bool textClosed = ::close(text_.fd) == 0;
        const bool htmlClosed = ::close(html_.fd) == 0;
        text_.fd = html_.fd = -1;
        locks_.clear();
        complete = complete && textClosed && htmlClosed;
    }
    if (!complete) {
        return false;
    }
    htmlClosed_ = html;
    textClosed_ = text;
    return true;
}

std::optional<ReportFiles::Identity> ReportFiles::IdentityOf(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return std::nullopt;
    }
    return Identity{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

bool ReportFiles::IsAsClosed(int fd, bool html) const
{
    const std::optional<Identity>& closed = html ? htmlClosed_ : textClosed_;
    const std::optional<Identity> now = IdentityOf(fd);
    return closed && now && now->device == closed->device && now->inode == closed->inode &&
           now->size == closed->size && now->modified.tv_sec == closed->modified.tv_sec &&
           now->modified.tv_nsec == closed->modified.tv_nsec;
}

void ReportFiles::Printf(std::size_t report, const char* format, va_list args)
{
    char line[256];
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof line) {
        const std::string_view bytes(line, static_cast<std::size_t>(length));
        report == kHtml ? WriteHtml(bytes) : WriteText(bytes);
    } else if (length >= 0) {
        std::string longer(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(longer.data(), longer.size(), format, again);
        longer.pop_back();
        report == kHtml ? WriteHtml(longer) : WriteText(longer);
    }
    va_end(again);
}

void ReportFiles::Text(const char* format, ...)
{
    if (!IsOpen()) {
        return;
    }
    va_list args;
    va_start(args, format);
    Printf(kText, format, args);
    va_end(args);
}

void ReportFiles::Html(const char* format, ...)
{
    if (!IsOpen()) {
        return;
    }
    va_list args;
    va_start(args, format);
    Printf(kHtml, format, args);
    va_end(args);
}

void ReportFiles::Drain(std::size_t report)
{
    std::string& pending = Pending(report);
    if (writer_) {
        writer_->Write(report, pending);
        pending.reserve(kBufferBytes);
        return;
    }
    // After a failed write the report is incomplete; its later bytes are dropped.
    Stream& stream = StreamOf(report);
    if (!stream.failed && !WriteAll(stream.fd, pending)) {
        stream.failed = true;
    }
    pending.clear();
}

void ReportFiles::CloseStreams()
{
    SetOpen(false);
    writer_.reset();
    for (const std::size_t report : {kHtml, kText}) {
        Stream& stream = StreamOf(report);
        if (stream.fd >= 0 && delivery_ == ReportDelivery::WhenComplete) {
            Staging().Discard(stream.fd);
        } else if (stream.fd >= 0) {
            ::close(stream.fd);
        }
        stream.fd = -1;
        Pending(report).clear();
    }
    ownCommit_.reset();
    locks_.clear();
}

}  // namespace nexmar
