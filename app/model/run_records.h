#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/shown_tree.h"
#include "run/generation_run.h"
#include "json/json_import.h"
#include "picture/system_picture.h"

namespace nexmar {

// The records of a run, kept beside its tree as they arrive, so that a
// query, Copy as Text, printing, the pictures and Export JSON read them
// without reading the run's document again (which takes about as long as a
// query over 10,000 High systems would feel). As plain data they take about
// a fourth of the memory the tree shown does, and half the document's size.
class RunRecords final : public RunOutput {
public:
    RunRecords() = default;
    // The records of a run rolled from runSeed, as they arrive, its systems
    // named as the seed names them.
    explicit RunRecords(Seed runSeed);
    // The records of an opened run, under the numbers its document gives
    // them. The run renders from them (AsLoadedRun), so they are held once.
    explicit RunRecords(LoadedRun run);

    void Add(int number, const SystemRecord& system) override;

    // The systems in the order of the run, which is the order of the tree.
    std::size_t size() const { return systems_.numbers.size(); }
    // place: from 0, the system's row in the tree. A run filtered by
    // nexmar-cli --where keeps its systems' own numbers, which need not
    // follow one another: the place is the key, not the number.
    int NumberAt(std::size_t place) const { return systems_.numbers[place]; }
    const SystemRecord& At(std::size_t place) const { return systems_.systems[place]; }
    // The SVG document of the system at place, the same bytes as nexmar-cli
    // writes for it (with its legend, as --svg-legend draws it); empty when
    // the run has no such system. players: as nexmar-cli --player draws it,
    // and empty for a Secret system.
    std::string SystemSvg(std::size_t place, PictureLegend legend = PictureLegend::Without,
                          bool players = false) const;
    const LoadedRun& AsLoadedRun() const { return systems_; }
    // The systems' names, and what the referee made of them.
    const SectorEdits& Edits() const { return systems_.edits; }
    // Whether the referee locked the system at place against Reroll Others.
    bool LockedAt(std::size_t place) const
    {
        const SystemEdits* edits = systems_.edits.Find(NumberAt(place));
        return edits != nullptr && edits->locked;
    }
    // What the referee made of the system at place, replaced.
    void SetEdits(std::size_t place, SystemEdits edits) { systems_.edits.Set(NumberAt(place), std::move(edits)); }
    // The record at place replaced by one of the run's level.
    void SetRecord(std::size_t place, SystemRecord system) { systems_.systems[place] = std::move(system); }

private:
    LoadedRun systems_;
};

// The place (from 0, its row under the top-level item) of the system that
// holds item; none for the top-level item and for no item.
std::optional<std::size_t> SystemPlaceOf(const ShownTree& tree, ItemId item);

}  // namespace nexmar
