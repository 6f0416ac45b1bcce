#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/kit/background_work.h"
#include "core/dice.h"
#include "core/report_files.h"
#include "core/result_tree.h"
#include "model/run_records.h"
#include "model/sector_change.h"
#include "model/seed_source.h"
#include "model/shown_tree.h"
#include "run/generation_run.h"
#include "json/json_export.h"
#include "stats/run_statistics.h"

class QFile;
class QIODevice;

namespace nexmar {

// Everything one run leaves for the dialog to show and save: its tree, its
// records, its reports and the messages it gave.
struct RenderedRun {
    RunSettings description;
    std::shared_ptr<const ShownTree> tree;
    std::unique_ptr<RunRecords> records;
    std::unique_ptr<ReportFiles> reports;
    std::vector<std::string> messages;
};

// Fills the tree and the reports with one run, handing outputs each
// record and calling systemDone after each system.
using RunRender = std::function<void(ResultTree&, ReportFiles&, Notifier&, const SystemDone&,
                                     std::span<RunOutput* const>)>;

// Renders one run, on whichever thread calls it; nothing outside the run
// it returns is touched, so the run shown meanwhile stays as it was. Its
// reports are delivered into reportDirectory only once complete; a render
// cancelled (cancel turns true) throws RenderCancelled and leaves the
// earlier reports there. progress hears the number of each system done.
// records: the run's records when they are known before it renders (an
// opened run's); else they are kept as they arrive.
RenderedRun RenderRun(const RunSettings& description, const std::filesystem::path& reportDirectory,
                      const RunRender& render, const std::atomic<bool>& cancel,
                      const std::function<void(int)>& progress, std::unique_ptr<RunRecords> records = nullptr);

// The dialog's state, without any widget: the run on screen (its seed, its
// tree and its records), the reports of the latest
// run, and the source that new runs take their seeds from. Generate, open, save and export all act through it.
class RunSession {
public:
    // seeds: where every run that asks for no seed takes its own.
    RunSession(SeedSource seeds, std::filesystem::path reportDirectory);
    ~RunSession();

    const std::filesystem::path& ReportDirectory() const { return reportDirectory_; }
    // The seed of the next run that asks for none.
    Seed TakeNextSeed() { return seeds_.Next(); }
    // A seed of 64 bits for each of count systems rolled again, from the
    // system's entropy: a rerolled system is no function of a 32-bit value,
    // and rerolls leave the seeds of later runs as they were.
    std::vector<Seed> TakeRerollSeeds(std::size_t count);

    // Shows run from now on; its reports are now the ones Save writes.
    void Show(RenderedRun run);

    bool HasRun() const { return shown_.has_value(); }
    // Of the run shown; only while HasRun().
    const RunSettings& Description() const { return shown_->description; }
    // Writes the run's JSON document through sink, the same bytes as the run
    // itself wrote, from its records; progress hears the number of each
    // system written, and a cancel turning true throws RenderCancelled.
    // kept: the places of the systems a filter keeps, as nexmar-cli --where
    // writes them (each under its number, the head saying how many were
    // rolled); null for every system.
    void WriteJson(const JsonExport::Sink& sink, const std::atomic<bool>& cancel,
                   const std::function<void(int)>& progress, const std::vector<std::size_t>* kept = nullptr) const;
    // As above, into destination in large blocks; false on a write error.
    bool WriteJson(QIODevice& destination, const std::atomic<bool>& cancel,
                   const std::function<void(int)>& progress, const std::vector<std::size_t>* kept = nullptr) const;
    // The records of the systems at places kept, as a run of those alone.
    LoadedRun KeptRun(const std::vector<std::size_t>& kept) const;
    // The statistics of the systems as they are now, rerolled ones too;
    // tallied when asked (with its window, under 20 ms for 10,000 High
    // systems).
    RunStatistics Statistics() const;
    const RunRecords& Records() const { return *shown_->records; }
    std::shared_ptr<const ShownTree> Tree() const { return shown_->tree; }
    // Does (done) or undoes a change to the run shown's systems.
    void Change(const SectorChange& change, bool done)
    {
        done ? change.Apply(*shown_->records) : change.Revert(*shown_->records);
    }
    // The SVG document of the system at place (from 0, its row in the tree)
    // of the run shown, the same bytes as nexmar-cli writes for it; empty
    // when there is no such system. With its legend under it when asked.
    // players: the players' picture, as nexmar-cli --player draws it; empty
    // for a Secret system.
    std::string SystemSvg(std::size_t place, PictureLegend legend = PictureLegend::Without,
                          bool players = false) const;
    // The hex of the system at place as the map places it, the referee's
    // moves too: "0304", or "0304/2" on a map of sectors; empty when the
    // run has no such system.
    std::string HexName(std::size_t place) const;
    // "System 3, Vessa Reach, hex 0304": how the notes and the picture name
    // the system at place. players: the name they are shown, none where it
    // is hidden from them, and no hex for a Secret system, which their map
    // leaves out. Empty when the run has no such system.
    QString SystemHeading(std::size_t place, bool players) const;
    // "200 High systems, seed 3899494677"
    QString Title() const;

    bool HasReports() const { return reports_ != nullptr; }
    // Opens the latest run's report (HTML or text) as source: false when
    // there is none, or when the file is no longer as the run closed it.
    bool OpenReport(bool html, QFile& source) const;

private:
    struct ShownRun {
        RunSettings description;
        std::shared_ptr<const ShownTree> tree;
        std::unique_ptr<RunRecords> records;
    };

    std::filesystem::path reportDirectory_;
    SeedSource seeds_;
    std::optional<ShownRun> shown_;
    std::unique_ptr<ReportFiles> reports_;  // of the latest run
};

}  // namespace nexmar
