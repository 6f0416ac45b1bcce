#include "json/json_import.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <type_traits>

#include "json/fields/document_fields.h"
#include "json/private/json_checks.h"
#include "json/private/json_parser.h"
#include "json/private/json_places.h"
#include "json/private/json_value.h"
#include "json/rules_file.h"
#include "gen/record_text.h"

namespace nexmar {

namespace {

using namespace json_field;

// The programs that write the document: the dialog and the command line.
constexpr std::string_view kPrograms[] = {"nexmar", "nexmar-cli"};

// Reads the document's top object: the head's members are held (they are
// few and small), each system is read, checked and handed on as soon as it
// is complete, and the systems array itself is never held.
class RunReader {
public:
    RunReader(JsonByteSource& source, int maxSystems, JsonRunSummary& summary, RunOutput& observer,
              SectorEdits* edits)
        : parser_(source), maxSystems_(maxSystems), summary_(summary), observer_(observer), edits_(edits)
    {
    }

    void Read()
    {
        parser_.BeginDocument(head_);
        std::string key;
        while (parser_.NextTopKey(key, head_)) {
            const std::string pointer = "/" + PointerToken(key);
            if (head_.Find(head_.root(), key) != JsonUnit::kNone || (key == kSystems && systemsRead_)) {
                parser_.Fail(pointer, parser_.line(),
                             "duplicate key " + JsonQuoted(key) + "; expected each key once in an object");
            }
            if (systemsRead_) {
                // The second reading renders each system as it comes, under the head read before it.
                parser_.Fail(pointer, parser_.line(), "expected before \"systems\", which the export writes last");
            }
            parser_.Colon(pointer);
            if (key == kSystems) {
                ReadSystems();
            } else {
                parser_.ReadHeadMember(head_, key);
            }
        }
        CheckHead(true);
        parser_.EndDocument();
    }

private:
    void ReadSystems()
    {
        CheckHead(false);
        filtered_ = summary_.settings.systemsRolled > 0;
        if (edits_ != nullptr && Has(kSeed)) {
            // The systems are named as the seed names them.
            edits_->Restart(summary_.settings.seed);
        }
        if (edits_ != nullptr) {
            edits_->Map() = summary_.map;
        }
        parser_.BeginSystems();
        const int line = parser_.line();
        int count = 0;
        int number = 0;
        while (parser_.NextSystem(count)) {
            if (count == maxSystems_) {
                throw JsonErrorAt("/systems/" + std::to_string(count), parser_.line(),
                                  "expected at most " + std::to_string(maxSystems_) + " systems", true);
            }
            system_.Reset(count, "one system");
            parser_.ReadSystem(system_);
            ++count;
            number = NextNumber(number);
            const JsonValue system(system_, system_.root());
            const bool census = summary_.settings.census;
            const int format = summary_.format;
            switch (summary_.settings.level) {
            case DetailLevel::Low:
                Hand(number, count - 1, system,
                     ReadLowSystem(system, number, census, format, summary_.settings.rules.get()));
                break;
            case DetailLevel::Medium:
                Hand(number, count - 1, system, ReadMediumSystem(system, number, census, format));
                break;
            case DetailLevel::High:
                Hand(number, count - 1, system, ReadHighSystem(system, number, census, format));
                break;
            }
        }
        // A query may have matched no system of its run.
        if (count == 0 && !filtered_) {
            parser_.Fail("/systems", line, "expected an array of at least one system, found []");
        }
        summary_.settings.systems = count;
        systemsRead_ = true;
        if (summary_.format >= kFirstFormatWithPlaces) {
            ReadMoves(line);
        }
    }

    // The systems moved, once the map's extent is known; and the routes
    // drawn by hand, which must join systems of the run.
    void ReadMoves(int line)
    {
        const int last = summary_.LastNumber();
        summary_.moves = places_.Moves(last, summary_.settings.seed, summary_.map.density);
        for (const std::vector<MapRoute>* routes : {&summary_.map.routesAdded, &summary_.map.routesRemoved}) {
            if (!routes->empty() && routes->back().to > last) {
                parser_.Fail(std::string(routes == &summary_.map.routesAdded ? "/routesAdded" : "/routesRemoved"),
                             line, "expected routes between systems 1 to " + std::to_string(last) + ", found system " +
                                       std::to_string(routes->back().to));
            }
        }
        if (edits_ == nullptr) {
            return;
        }
        for (const auto& [number, place] : summary_.moves) {
            const SystemEdits* found = edits_->Find(number);
            SystemEdits moved = found != nullptr ? *found : SystemEdits{};
            moved.hex = place;
            edits_->Set(number, std::move(moved));
        }
    }

    // Reads what the referee made of a checked system into the edits, then
    // hands its record on.
    template <class Record>
    void Hand(int number, int index, const JsonValue& system, Record record)
    {
        if (summary_.format >= kFirstFormatWithPlaces) {
            places_.Read(system, number, index);
        } else if (system.Has(kSector)) {
            system.At(kSector).Expected(std::string("no \"sector\" in a document of format ") +
                                        std::to_string(summary_.format));
        }
        if (summary_.format >= kFirstFormatWithEdits) {
            if constexpr (std::is_same_v<Record, LowSystem>) {
                CheckRolledFromSeed(system, number, summary_.settings.census, record, summary_.settings.rules.get());
            } else {
                CheckRolledFromSeed(system, summary_.settings.census, record);
            }
            SystemEdits edits = ReadSystemEdits(system, summary_.settings.level);
            CountNotes(system, edits);
            if (edits_ != nullptr) {
                edits_->Set(number, std::move(edits));
            }
        }
        observer_.Add(number, SystemRecord(std::move(record)));
    }

    void CountNotes(const JsonValue& system, const SystemEdits& edits)
    {
        noteBytes_ += edits.notes.size() + edits.playerNotes.size();
        for (const ObjectNotes* objectNotes : {&edits.objectNotes, &edits.objectPlayerNotes}) {
            for (const auto& [place, notes] : *objectNotes) {
                noteBytes_ += notes.size();
            }
        }
        if (noteBytes_ > kMaxSectorNoteBytes) {
            system.Expected("at most " + std::to_string(kMaxSectorNoteBytes) +
                            " bytes of notes in a document, which this system's notes exceed");
        }
    }

    // The number the system just read must have: the next one, or in a
    // filtered document any later one up to the count of the run. A system
    // without a number is left to its level's checks, which name the fault.
    int NextNumber(int previous) const
    {
        const std::uint32_t root = system_.root();
        if (!filtered_ || system_.at(root).kind != JsonUnit::Node::Kind::Object) {
            return previous + 1;
        }
        const std::uint32_t number = system_.Find(root, kNumber);
        if (number == JsonUnit::kNone) {
            return previous + 1;
        }
        const JsonValue read(system_, number);
        if (previous == summary_.settings.systemsRolled) {
            read.Expected("no system after number " + std::to_string(previous) + " of a run of " +
                          std::to_string(previous));
        }
        return read.Int(previous + 1, summary_.settings.systemsRolled);
    }

    bool Has(std::string_view key) const { return head_.Find(head_.root(), key) != JsonUnit::kNone; }
    JsonValue Head(std::string_view key) const { return JsonValue(head_, head_.Find(head_.root(), key)); }

    // The format first, then each member of the head read so far. Before
    // the systems, the members that say how to read them must be there;
    // at the end, every member.
    void CheckHead(bool complete)
    {
        const auto require = [&](std::string_view key, const char* why) {
            if (!Has(key)) {
                parser_.Fail("/" + std::string(key), parser_.line(), std::string("missing; expected ") + why);
            }
        };
        require(kFormat, complete ? "the format version" : "the format version before \"systems\"");
        summary_.format = Head(kFormat).Int(1, kJsonFormatVersion);
        for (const std::string_view key : {kDetail, kCensusOption}) {
            require(key, complete ? "this field in the document" : "before \"systems\"");
        }
        summary_.settings.level = Head(kDetail).Named(kDetailLevels, DetailLevelName);
        summary_.settings.census = Head(kCensusOption).Bool();
        if (complete) {
            if (!systemsRead_) {
                require(kSystems, "the systems");
            }
            for (const auto& row : kDocumentHeadRows) {
                if (row.when == When::Always && row.key != kSystems) {
                    require(row.key, "this field in the document");
                }
            }
        }
        if (Has(kProgram)) {
            summary_.program = Head(kProgram).OneOf(kPrograms);
        }
        if (Has(kVersion)) {
            summary_.version = Head(kVersion).String();
        }
        if (Has(kSeed)) {
            summary_.settings.seed = Head(kSeed).Seed();
        }
        if (Has(kSystemsRolled)) {
            // It decides how the systems are numbered, so it comes before them.
            summary_.settings.systemsRolled = Head(kSystemsRolled).Int(1, std::numeric_limits<int>::max());
        }
        CheckMapHead(require);
        CheckRulesHead(require);
        CheckHeadKeys();
    }

    // The house rules the run was rolled by, whose digest must be theirs.
    template <class Require>
    void CheckRulesHead(const Require& require)
    {
        if (!Has(kRules)) {
            if (Has(kRulesDigest)) {
                Head(kRulesDigest).Expected("no \"rulesDigest\" without \"rules\"");
            }
            return;
        }
        RulesRead read = ReadRules(head_, head_.Find(head_.root(), kRules));
        if (!read.faults.empty()) {
            const RulesFault& first = read.faults.front();
            parser_.Fail(first.pointer, static_cast<int>(first.line), first.what);
        }
        require(kRulesDigest, "the digest of the rules before \"systems\"");
        summary_.settings.rules = SharedRules(std::move(read.rules));
        const std::string digest =
            summary_.settings.rules ? RulesDigest(*summary_.settings.rules.get()) : std::string();
        if (Head(kRulesDigest).String() != digest) {
            Head(kRulesDigest).Expected(digest.empty() ? "no digest: the rules are the game's own"
                                                       : "the SHA-256 of the rules, " + digest);
        }
    }

    // The map's settings and hand routes, which the systems' places need
    // before them; none in a document before format 3, whose systems lie
    // where their seed places them at Standard density.
    template <class Require>
    void CheckMapHead(const Require& require)
    {
        constexpr std::string_view kMapKeys[] = {kDensity, kJump, kRoutesAdded, kRoutesRemoved};
        if (summary_.format < kFirstFormatWithPlaces) {
            for (const std::string_view key : kMapKeys) {
                if (Has(key)) {
                    Head(key).Expected("no \"" + std::string(key) + "\" in a document of format " +
                                       std::to_string(summary_.format));
                }
            }
            summary_.notice = "a document of format " + std::to_string(summary_.format) +
                              ": its systems lie where its seed and count place them at Standard density";
            return;
        }
        require(kDensity, "the map's density before \"systems\"");
        require(kJump, "the map's jump range before \"systems\"");
        summary_.map.density = Head(kDensity).Int(1, 100);
        summary_.map.jump = Head(kJump).Int(kMinJump, kMaxJump);
        if (Has(kRoutesAdded)) {
            summary_.map.routesAdded = ReadRoutes(Head(kRoutesAdded));
        }
        if (Has(kRoutesRemoved)) {
            summary_.map.routesRemoved = ReadRoutes(Head(kRoutesRemoved));
        }
    }

    void CheckHeadKeys() const
    {
        const auto known = [](std::string_view key) {
            return std::any_of(std::begin(kDocumentHeadRows), std::end(kDocumentHeadRows),
                               [key](const auto& row) { return row.key == key; });
        };
        for (std::uint32_t member = head_.at(head_.root()).first; member != JsonUnit::kNone;
             member = head_.at(member).next) {
            if (!known(head_.Key(member))) {
                std::string expected;
                for (const auto& row : kDocumentHeadRows) {
                    expected.append(expected.empty() ? "" : ", ").append(row.key);
                }
                parser_.Fail(head_.Pointer(member), static_cast<int>(head_.at(member).line),
                             "unexpected field; expected only " + expected);
            }
        }
    }

    JsonParser parser_;
    int maxSystems_;
    JsonRunSummary& summary_;
    RunOutput& observer_;
    SectorEdits* edits_;
    std::size_t noteBytes_ = 0;
    DocumentPlaces places_;
    JsonUnit head_;    // the top object's members but the systems
    JsonUnit system_;  // the system being read
    bool systemsRead_ = false;
    bool filtered_ = false;  // the head said how many systems the run rolled
};

class StreamSource final : public JsonByteSource {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}
    std::size_t Read(char* buffer, std::size_t size) override
    {
        in_.read(buffer, static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(in_.gcount());
    }

private:
    std::istream& in_;
};

class Collector final : public RunOutput {
public:
    explicit Collector(LoadedRun& run) : run_(run) {}
    void Add(int number, const SystemRecord& system) override
    {
        run_.numbers.push_back(number);
        run_.systems.push_back(system);
    }

private:
    LoadedRun& run_;
};

}  // namespace

bool JsonRunSummary::SameHead(const JsonRunSummary& other) const
{
    RunSettings counted = settings;
    counted.systems = other.settings.systems;
    return program == other.program && counted == other.settings && map == other.map;
}

std::optional<JsonReadError> ReadJsonRun(JsonByteSource& in, int maxSystems, JsonRunSummary& summary,
                                         RunOutput& observer, SectorEdits* edits)
{
    try {
        RunReader(in, maxSystems, summary, observer, edits).Read();
    } catch (JsonReadError& error) {
        return std::move(error);
    }
    return std::nullopt;
}

std::optional<JsonReadError> ReadJsonRun(std::istream& in, int maxSystems, JsonRunSummary& summary,
                                         RunOutput& observer, SectorEdits* edits)
{
    StreamSource source(in);
    return ReadJsonRun(source, maxSystems, summary, observer, edits);
}

std::variant<LoadedRun, JsonReadError> LoadJsonRun(JsonByteSource& in, int maxSystems)
{
    LoadedRun run;
    Collector collector(run);
    if (std::optional<JsonReadError> error = ReadJsonRun(in, maxSystems, run.summary, collector, &run.edits)) {
        return *std::move(error);
    }
    return run;
}

std::variant<LoadedRun, JsonReadError> LoadJsonRun(std::istream& in, int maxSystems)
{
    StreamSource source(in);
    return LoadJsonRun(source, maxSystems);
}

}  // namespace nexmar
