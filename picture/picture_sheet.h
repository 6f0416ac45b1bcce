#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "gen/names/sector_edits.h"
#include "gen/records.h"
#include "gen/run_output.h"
#include "picture/svg_picture.h"
#include "picture/system_picture.h"

namespace nexmar {

// Who a picture is drawn for: the referee sees every system whole; the
// players see no Secret system, and of the others what the referee lets
// them (PlayerSystemOf): the hidden fields drawn as the system's picture
// draws them for players.
enum class PictureAudience { Referee, Players };

// The picture of each system of a run, as a complete SVG document handed to
// save as soon as the system is decided: one file per system, or the
// picture a window shows. With edits, each is titled with its system's name.
// For the players, edits say what they see, and a Secret system is not saved.
// Each picture carries the legend of its level under it when legend says so.
class SystemPictures final : public RunOutput {
public:
    using Save = std::function<void(int number, const std::string& svg)>;
    explicit SystemPictures(Save save, const SectorEdits* edits = nullptr,
                            PictureAudience audience = PictureAudience::Referee,
                            PictureLegend legend = PictureLegend::Without)
        : save_(std::move(save)), edits_(edits), audience_(audience), legend_(legend)
    {
    }

    void Add(int number, const SystemRecord& system) override;

private:
    Save save_;
    const SectorEdits* edits_;
    PictureAudience audience_;
    PictureLegend legend_;
    std::string svg_;  // kept between systems, so its room is reused
};

// The whole run as one SVG page for printing, headed by its title and the
// legend of its shapes and colours: Low systems as cards in a grid, Medium and High systems one row each, each picture shrunk to fit its
// cell where it is larger. The page is written as the run goes: each
// system's picture is drawn into the next cell and handed to write in large
// blocks, so memory stays that of one picture whatever the run's size.
class PictureSheet final : public RunOutput {
public:
    using Write = std::function<void(std::string_view bytes)>;

    // systems: how many the run shows, which sizes the page before the first
    // one is drawn (for the players, those not Secret). Writes the page's
    // head at once. With edits, each picture is titled with its system's name.
    PictureSheet(DetailLevel level, int systems, Write write, const SectorEdits* edits = nullptr,
                 PictureAudience audience = PictureAudience::Referee);
    PictureSheet(const PictureSheet&) = delete;
    PictureSheet& operator=(const PictureSheet&) = delete;

    void Add(int number, const SystemRecord& system) override;

    // Ends the page and writes out what is left of it.
    bool Finish() override;

    // Where the picture of the index-th system (from 0) goes on the page.
    PictureBox Cell(int index) const;
    PictureBox Page() const;

private:
    void WriteFull();

    int columns_;
    double cellWidth_;
    double cellHeight_;
    double headHeight_;  // the title and the legend above the first cell
    int systems_;
    Write write_;
    const SectorEdits* edits_;
    PictureAudience audience_;
    std::string pending_;
    int placed_ = 0;
};

}  // namespace nexmar
