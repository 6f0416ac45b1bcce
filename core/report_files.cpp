#include "core/report_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>

namespace nexmar {

namespace {

// Recreates the file for writing and reading. O_NOFOLLOW refuses a symbolic
// link planted at the fixed name, which would otherwise redirect the write.
std::FILE* Recreate(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* stream = ::fdopen(fd, "w+");
    if (stream == nullptr) {
        ::close(fd);
    }
    return stream;
}

}  // namespace

void AppendCsvField(std::string& row, std::string_view field)
{
    if (field.find_first_of(",\"") == std::string_view::npos) {
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

ReportFiles::ReportFiles(const std::filesystem::path& directory)
    : ReportFiles(directory / kHtmlReportName, directory / kTextReportName)
{
}

ReportFiles::ReportFiles(std::filesystem::path htmlPath, std::filesystem::path textPath)
    : htmlPath_(std::move(htmlPath)), textPath_(std::move(textPath))
{
}

ReportFiles::~ReportFiles()
{
    CloseStreams();
}

bool ReportFiles::OpenReports(Notifier& notifier)
{
    CloseStreams();
    writeFailed_ = false;
    htmlClosed_.reset();
    textClosed_.reset();
    std::FILE* html = Recreate(htmlPath_);
    std::FILE* text = Recreate(textPath_);
    if (html == nullptr || text == nullptr) {
        if (html != nullptr) {
            std::fclose(html);
        }
        if (text != nullptr) {
            std::fclose(text);
        }
        notifier.Notify(kOpenReportsFailed);
        return false;
    }
    html_ = html;
    text_ = text;
    Html("<html><body>\n");
    Flush();
    return true;
}

void ReportFiles::WriteSystemHeading(int systemNumber)
{
    Text("System %d\n", systemNumber);
    Html("<p><font size=\"4\">System %d</font>\n", systemNumber);
}

bool ReportFiles::CloseReports(Notifier& notifier)
{
    if (!IsOpen()) {
        return false;
    }
    Html("</body></html>\n");
    Flush();
    writeFailed_ = writeFailed_ || std::ferror(text_) || std::ferror(html_);
    const std::optional<Identity> html = IdentityOf(::fileno(html_));
    const std::optional<Identity> text = IdentityOf(::fileno(text_));
    // fclose can still fail to write what it had buffered.
    const bool textClosed = std::fclose(text_) == 0;
    const bool htmlClosed = std::fclose(html_) == 0;
    text_ = html_ = nullptr;
    const bool complete = !writeFailed_ && textClosed && htmlClosed;
    if (!complete) {
        notifier.Notify(kWriteReportsFailed);
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

void ReportFiles::Text(const char* format, ...)
{
    if (!IsOpen()) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(text_, format, args);
    va_end(args);
}

void ReportFiles::Html(const char* format, ...)
{
    if (!IsOpen()) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(html_, format, args);
    va_end(args);
}

void ReportFiles::WriteText(std::string_view text)
{
    if (IsOpen()) {
        std::fwrite(text.data(), 1, text.size(), text_);
    }
}

void ReportFiles::WriteHtml(std::string_view text)
{
    if (IsOpen()) {
        std::fwrite(text.data(), 1, text.size(), html_);
    }
}

void ReportFiles::Flush()
{
    if (!IsOpen()) {
        return;
    }
    // A flush never stops the run; a failure only marks the reports incomplete.
    const bool htmlFlushed = std::fflush(html_) == 0;
    const bool textFlushed = std::fflush(text_) == 0;
    writeFailed_ = writeFailed_ || !htmlFlushed || !textFlushed;
}

void ReportFiles::CloseStreams()
{
    if (html_ != nullptr) {
        std::fclose(html_);
    }
    if (text_ != nullptr) {
        std::fclose(text_);
    }
    html_ = text_ = nullptr;
}

}  // namespace nexmar
