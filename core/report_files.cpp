#include "core/report_files.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <iterator>

#include "core/block_writer.h"

namespace nexmar {

namespace {

// Bytes a report collects before they are written: large enough that a batch
// run makes few system calls, small enough to keep its memory flat.
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

// Recreates the file for writing and reading. O_NOFOLLOW refuses a symbolic
// link planted at the fixed name, which would otherwise redirect the write.
int Recreate(const std::filesystem::path& path)
{
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// A file without a name in path's directory, which vanishes with the process
// unless it is given one. Whatever stands at path must be a plain file that
// the report may replace: a symbolic link or a directory is refused, as
// Recreate refuses them.
int CreateNameless(const std::filesystem::path& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        errno = EEXIST;
        return -1;
    }
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : ".";
    return ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
}

// Gives the nameless file open as fd the name path, replacing what was there:
// linked first under a name of this process, then renamed over path, so that
// path always names either the previous report or the complete new one.
bool GiveName(int fd, const std::filesystem::path& path)
{
    std::string stagedName(".");
    stagedName.append(path.filename().string()).append(".").append(std::to_string(::getpid()));
    const std::filesystem::path staged = path.parent_path() / stagedName;
    std::string self("/proc/self/fd/");
    self.append(std::to_string(fd));
    ::unlink(staged.c_str());  // left by a process of the same id that was killed here
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, staged.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        return false;
    }
    if (::rename(staged.c_str(), path.c_str()) != 0) {
        ::unlink(staged.c_str());
        return false;
    }
    return true;
}

void AppendNumber(std::string& out, int value)
{
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    out.append(digits, end);
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
    : htmlPath_(std::move(htmlPath)), textPath_(std::move(textPath)), delivery_(delivery), runDelivery_(delivery)
{
}

ReportFiles::~ReportFiles()
{
    CloseStreams();
}

bool ReportFiles::Open(Stream& stream, const std::filesystem::path& path)
{
    stream.fd = runDelivery_ == ReportDelivery::Live ? Recreate(path) : CreateNameless(path);
    if (stream.fd < 0 && runDelivery_ == ReportDelivery::WhenComplete && (errno == EOPNOTSUPP || errno == EISDIR) &&
        &stream == &html_) {
        // A file system without nameless files: this run writes in place.
        runDelivery_ = ReportDelivery::Live;
        stream.fd = Recreate(path);
    }
    stream.failed = false;
    stream.pending.clear();
    stream.pending.reserve(kBufferBytes);
    return stream.fd >= 0;
}

bool ReportFiles::OpenReports(Notifier& notifier)
{
    CloseStreams();
    htmlClosed_.reset();
    textClosed_.reset();
    runDelivery_ = delivery_;
    const bool htmlOpened = Open(html_, htmlPath_);
    const bool textOpened = Open(text_, textPath_);
    if (!htmlOpened || !textOpened) {
        CloseStreams();
        notifier.Notify(kOpenReportsFailed);
        return false;
    }
    if (runDelivery_ == ReportDelivery::WhenComplete) {
        writer_ = std::make_unique<BlockWriter>();
    }
    WriteHtml("<html><body>\n");
    Flush();
    return true;
}

void ReportFiles::WriteSystemHeading(int systemNumber)
{
    if (!IsOpen()) {
        return;
    }
    std::string line = "System ";
    AppendNumber(line, systemNumber);
    line += '\n';
    WriteText(line);
    line.assign("<p><font size=\"4\">System ");
    AppendNumber(line, systemNumber);
    line.append("</font>\n");
    WriteHtml(line);
}

bool ReportFiles::CloseReports(Notifier& notifier)
{
    if (!IsOpen()) {
        return false;
    }
    WriteHtml("</body></html>\n");
    Drain(html_);
    Drain(text_);
    writer_.reset();  // once it has written everything
    bool complete = !html_.failed && !text_.failed;
    if (complete && runDelivery_ == ReportDelivery::WhenComplete) {
        complete = GiveNames();
    }
    const std::optional<Identity> html = IdentityOf(html_.fd);
    const std::optional<Identity> text = IdentityOf(text_.fd);
    // close can still report a write that failed late.
    const bool textClosed = ::close(text_.fd) == 0;
    const bool htmlClosed = ::close(html_.fd) == 0;
    text_.fd = html_.fd = -1;
    complete = complete && textClosed && htmlClosed;
    if (!complete) {
        notifier.Notify(kWriteReportsFailed);
        return false;
    }
    htmlClosed_ = html;
    textClosed_ = text;
    return true;
}

bool ReportFiles::GiveNames()
{
    // Both reports are named together: a signal that comes meanwhile waits
    // until both names are given.
    sigset_t all;
    sigset_t before;
    ::sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, &before);
    const bool named = GiveName(text_.fd, textPath_) && GiveName(html_.fd, htmlPath_);
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return named;
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

void ReportFiles::Printf(Stream& stream, const char* format, va_list args)
{
    char line[256];
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof line) {
        Append(stream, std::string_view(line, static_cast<std::size_t>(length)));
    } else if (length >= 0) {
        std::string longer(static_cast<std::size_t>(length) + 1, '\0');
        std::vsnprintf(longer.data(), longer.size(), format, again);
        longer.pop_back();
        Append(stream, longer);
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
    Printf(text_, format, args);
    va_end(args);
}

void ReportFiles::Html(const char* format, ...)
{
    if (!IsOpen()) {
        return;
    }
    va_list args;
    va_start(args, format);
    Printf(html_, format, args);
    va_end(args);
}

void ReportFiles::WriteText(std::string_view text)
{
    if (IsOpen()) {
        Append(text_, text);
    }
}

void ReportFiles::WriteHtml(std::string_view text)
{
    if (IsOpen()) {
        Append(html_, text);
    }
}

void ReportFiles::Flush()
{
    // A flush never stops the run; a failure only marks the reports incomplete.
    if (IsOpen() && runDelivery_ == ReportDelivery::Live) {
        Drain(html_);
        Drain(text_);
    }
}

void ReportFiles::Append(Stream& stream, std::string_view bytes)
{
    if (stream.pending.size() + bytes.size() > kBufferBytes) {
        Drain(stream);
    }
    stream.pending.append(bytes);
}

void ReportFiles::MakeRoomForRow(Stream& stream)
{
    // Room for any row the reports hold, so the buffer need not grow.
    constexpr std::size_t kRowBytes = std::size_t{64} << 10;
    if (stream.pending.size() > kBufferBytes - kRowBytes) {
        Drain(stream);
    }
}

void ReportFiles::Drain(Stream& stream)
{
    if (writer_) {
        writer_->Write(stream.fd, stream.pending, stream.failed);
        stream.pending.reserve(kBufferBytes);
        return;
    }
    // After a failed write the report is incomplete; its later bytes are dropped.
    if (!stream.failed && !WriteAll(stream.fd, stream.pending)) {
        stream.failed = true;
    }
    stream.pending.clear();
}

void ReportFiles::CloseStreams()
{
    writer_.reset();
    for (Stream* stream : {&html_, &text_}) {
        if (stream->fd >= 0) {
            ::close(stream->fd);
        }
        stream->fd = -1;
        stream->pending.clear();
    }
}

}  // namespace nexmar
