#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/output_commit.h"
#include "picture/picture_sheet.h"

namespace nexmar {

// The most pictures --svg writes in one run: each is a file of its own, held
// open until every output of the run takes its name.
inline constexpr int kMaxPictureFiles = 10000;

// The picture of the system numbered number in the run: "system-0001.svg".
std::string PictureFileName(int number);
// The number whose picture a file of that name would be: 1 for
// "system-0001.svg", 12345 for "system-12345.svg"; 0 for any other name.
int PictureFileNumber(std::string_view name);

// Where --svg writes: the picture of each system shown, as a file in
// directory staged in the run's OutputCommit as soon as its system is
// decided, so that the pictures take their names with the run's other
// outputs, every one of them or none.
class PictureFiles final : public RunOutput {
public:
    // Makes room for pictures files held open at once, raising the process's
    // own limit where its ceiling allows; nothing, and error, where not.
    // Each picture is titled with its system's name in edits.
    // For the players, a Secret system has no picture. With legend, each
    // carries its level's legend under it.
    static std::unique_ptr<PictureFiles> Open(const std::filesystem::path& directory, int pictures,
                                              OutputCommit& commit, const SectorEdits& edits, std::string& error,
                                              PictureAudience audience = PictureAudience::Referee,
                                              PictureLegend legend = PictureLegend::Without);
    PictureFiles(const PictureFiles&) = delete;
    PictureFiles& operator=(const PictureFiles&) = delete;

    void Add(int number, const SystemRecord& system) override { pictures_.Add(number, system); }
    // The run's own end leaves nothing to do; this one, before the commit,
    // says whether every picture was written and is on the disk, and error
    // why not. The players' pictures are also refused into a folder that
    // holds a picture's name this run does not write.
    using RunOutput::Finish;
    bool Finish(std::string& error);

private:
    PictureFiles(std::filesystem::path directory, OutputCommit& commit, const SectorEdits& edits,
                 PictureAudience audience, PictureLegend legend);
    void Save(int number, const std::string& svg);
    void RefuseStalePictures();

    std::filesystem::path directory_;
    OutputCommit& commit_;
    PictureAudience audience_;
    SystemPictures pictures_;
    std::vector<bool> saved_;  // by number
    int lastStaged_ = -1;
    std::string error_;  // the first failure
};

}  // namespace nexmar
