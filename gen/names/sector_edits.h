#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/hex_place.h"
#include "gen/names/sector_map_edits.h"
#include "gen/names/system_names.h"
#include "gen/names/visibility.h"

namespace nexmar {

// The bounds of what a referee writes, in bytes of UTF-8: a name fits a
// line, a note a few pages, and the notes of a whole sector stay within
// what a document may hold in memory.
inline constexpr std::size_t kMaxNameBytes = 100;
inline constexpr std::size_t kMaxNoteBytes = 65536;
inline constexpr std::size_t kMaxSectorNoteBytes = std::size_t{16} << 20;

// Notes on a system's objects, each under its place: "3" for the third
// object of a Medium system, "A2" for the second object of a High system's
// component A.
using ObjectNotes = std::map<std::string, std::string, std::less<>>;

// What a referee made of one system beyond what the dice decided. Notes are
// the referee's own; player notes are written for the players and go into
// what they are handed, with what the visibility and the hidden fields let
// them see.
struct SystemEdits {
    std::optional<std::string> name;  // given by the referee; the generated one otherwise
    std::string notes;
    ObjectNotes objectNotes;
    std::optional<Seed> seed;  // rolled again, alone, from this seed
    std::string playerNotes;
    ObjectNotes objectPlayerNotes;
    Visibility visibility = Visibility::Known;
    std::optional<PlayerFields> hidden;  // chosen by the referee; the visibility's default otherwise
    bool locked = false;                 // left as it is when the others are rolled again
    // Moved there by the referee; the place the run's seed gives otherwise.
    // Kept by number, so a system rolled again or renamed stays where it is.
    std::optional<HexPlace> hex;

    // The fields kept from the players.
    PlayerFields Hidden() const { return hidden.value_or(DefaultHiddenFields(visibility)); }
    bool IsEmpty() const
    {
        return !name && notes.empty() && objectNotes.empty() && !seed && playerNotes.empty() &&
               objectPlayerNotes.empty() && visibility == Visibility::Known && !hidden && !locked && !hex;
    }
    bool operator==(const SystemEdits&) const = default;
};

// The place an object's notes are kept under.
std::string MediumObjectPlace(int slot);
std::string HighObjectPlace(char letter, int number);

// Why text cannot be a name, or a note: empty when it can. Both are UTF-8
// without control characters (a note may break its lines) or noncharacters
// (U+FDD0 to U+FDEF, U+FFFE, U+FFFF and their like in every plane), so that
// every output, XML alike, carries them as they are, within their bounds;
// and a name is neither empty nor blank at either end.
std::string NameFault(std::string_view text);
std::string NoteFault(std::string_view text);

// The names and notes of a run's systems, and the seeds of those rolled
// again: the run's generated names but where a system was renamed. With
// them, what the referee made of the map: its density, jump range and the
// routes drawn by hand (the map's places read the systems' moves).
class SectorEdits {
public:
    explicit SectorEdits(Seed runSeed) : names_(runSeed) {}

    // The system's name: the one given, else the one generated.
    std::string Name(int number) const;
    GeneratedName GeneratedNameOf(int number) const { return names_.Name(number); }
    // What the referee made of the system; null when nothing.
    const SystemEdits* Find(int number) const;
    // Replaces what the referee made of the system; nothing empty is kept,
    // nor a name or hidden fields that are those given by default.
    void Set(int number, SystemEdits edits);
    void Forget(int number) { systems_.erase(number); }
    // Names a run of another seed, with nothing edited yet.
    // The density and jump range are the map's settings, kept; the routes
    // drawn by hand joined the other run's systems.
    void Restart(Seed runSeed)
    {
        names_ = NameGenerator(runSeed);
        systems_.clear();
        map_.routesAdded.clear();
        map_.routesRemoved.clear();
    }
    const std::map<int, SystemEdits>& Systems() const { return systems_; }
    const SectorMapEdits& Map() const { return map_; }
    SectorMapEdits& Map() { return map_; }
    bool operator==(const SectorEdits& other) const { return systems_ == other.systems_ && map_ == other.map_; }

private:
    NameGenerator names_;
    std::map<int, SystemEdits> systems_;
    SectorMapEdits map_;
};

// What the players are shown of a system: its name, empty where hidden; the
// fields kept from them; and the rest of what the referee made of it (null
// when nothing), of which only the player notes are theirs.
struct PlayerSystem {
    std::string name;
    PlayerFields hidden;
    const SystemEdits* edits = nullptr;
};
// None for a Secret system, which the players are shown nothing of.
std::optional<PlayerSystem> PlayerSystemOf(const SectorEdits& edits, int number);

}  // namespace nexmar
