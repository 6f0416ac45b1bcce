#include "cli/picture_files.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "core/block_writer.h"
#include "core/quoted_path.h"

namespace nexmar {

namespace {

// Descriptors a run holds besides its pictures: the standard streams, the
// reports, the JSON document, the statistics, the sheet, the folder locks.
constexpr rlim_t kOtherFiles = 64;

}  // namespace

std::string PictureFileName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "system-%04d.svg", number);
    return name;
}

int PictureFileNumber(std::string_view name)
{
    constexpr std::string_view kStart = "system-";
    constexpr std::string_view kEnd = ".svg";
    if (!name.starts_with(kStart) || !name.ends_with(kEnd) || name.size() < kStart.size() + 4 + kEnd.size()) {
        return 0;
    }
    const std::string_view digits = name.substr(kStart.size(), name.size() - kStart.size() - kEnd.size());
    int number = 0;
    const auto [end, fault] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return fault == std::errc() && end == digits.data() + digits.size() && number > 0 ? number : 0;
}

PictureFiles::PictureFiles(std::filesystem::path directory, OutputCommit& commit, const SectorEdits& edits,
                           PictureAudience audience, PictureLegend legend)
    : directory_(std::move(directory)),
      commit_(commit),
      audience_(audience),
      pictures_([this](int number, const std::string& svg) { Save(number, svg); }, &edits, audience, legend)
{
}

std::unique_ptr<PictureFiles> PictureFiles::Open(const std::filesystem::path& directory, int pictures,
                                                 OutputCommit& commit, const SectorEdits& edits,
                                                 std::string& error, PictureAudience audience,
                                                 PictureLegend legend)
{
    rlimit files{};
    const rlim_t needed = static_cast<rlim_t>(pictures) + kOtherFiles;
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY && files.rlim_cur < needed) {
        if (files.rlim_max != RLIM_INFINITY && files.rlim_max < needed) {
            error = "--svg: " + std::to_string(pictures) + " pictures are held open until the run ends, and the " +
                    "process may open " + std::to_string(files.rlim_max) + " files (ulimit -Hn)";
            return nullptr;
        }
        files.rlim_cur = needed;
        if (::setrlimit(RLIMIT_NOFILE, &files) != 0) {
            error = std::string("--svg: cannot open enough files for the pictures: ") + std::strerror(errno);
            return nullptr;
        }
    }
    return std::unique_ptr<PictureFiles>(new PictureFiles(directory, commit, edits, audience, legend));
}

void PictureFiles::Save(int number, const std::string& svg)
{
    if (!error_.empty()) {
        return;
    }
    // A link is never followed: the run checked before it began that none
    // stands at a picture's name, and the commit checks again.
    const std::filesystem::path target = directory_ / PictureFileName(number);
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::symlink_status(target, ignored);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        error_ = "--svg: cannot write " + QuotedPath(target.string()) + ": not a regular file";
        return;
    }
    const int fd = commit_.Stage(target);
    if (fd < 0 || !WriteAll(fd, svg)) {
        error_ = "--svg: cannot write " + QuotedPath(target.string()) + ": " + std::strerror(errno);
        return;
    }
    lastStaged_ = fd;
    saved_.resize(std::max(saved_.size(), static_cast<std::size_t>(number) + 1));
    saved_[static_cast<std::size_t>(number)] = true;
}

// A folder handed to the players must not keep a picture they may not see:
// one of a Secret system from a referee's run into it, or of another run.
// Such a file is never removed, for a file of that name need not be one
// Nexmar wrote; the run is refused and the user clears the folder.
void PictureFiles::RefuseStalePictures()
{
    std::error_code error;
    for (std::filesystem::directory_iterator entry(directory_, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const int number = PictureFileNumber(name);
        if (number > 0 && (static_cast<std::size_t>(number) >= saved_.size() || !saved_[static_cast<std::size_t>(number)])) {
            error_ = "--svg --player: " + QuotedPath(directory_.string()) + " holds " + QuotedPath(name) +
                     ", a picture this run does not write (another run's, or a system the players must not see): "
                     "write the players' pictures into a folder without it";
            return;
        }
    }
    if (error) {
        error_ = "--svg --player: cannot read " + QuotedPath(directory_.string()) + ": " + error.message();
    }
}

bool PictureFiles::Finish(std::string& error)
{
    if (error_.empty() && audience_ == PictureAudience::Players) {
        RefuseStalePictures();
    }
    // One flush of the file system rather than one per picture: the names
    // must not be given to files whose bytes a crash could still lose.
    if (error_.empty() && lastStaged_ >= 0 && ::syncfs(lastStaged_) != 0) {
        error_ = "--svg: cannot write the pictures to the disk: " + std::string(std::strerror(errno));
    }
    error = error_;
    return error_.empty();
}

}  // namespace nexmar
