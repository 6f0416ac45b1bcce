#include "run/json_import.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>
#include <unordered_map>

#include "gen/high/high_object.h"
#include "gen/high/object_tables.h"
#include "gen/low/low_system.h"
#include "gen/medium/medium_object.h"
#include "run/record_text.h"

namespace nexmar {

namespace {

using nlohmann::json;

// What a read stops at: the message for the user.
struct ReadFailure {
    std::string message;
    bool tooManySystems = false;
};

// The line the parser has reached. The parser reads one character past a
// number, so a number's own line is one less when that character was a line end.
struct LinePosition {
    int line = 1;
    char last = 0;
};

// Hands the stream's characters to the parser one by one, counting lines.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    CountingIterator() = default;
    CountingIterator(std::istreambuf_iterator<char> at, LinePosition* position) : at_(at), position_(position) {}

    char operator*() const { return *at_; }
    CountingIterator& operator++()
    {
        const char c = *at_;
        if (c == '\n') {
            ++position_->line;
        }
        position_->last = c;
        ++at_;
        return *this;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const CountingIterator& other) const { return !(at_ == other.at_); }

private:
    std::istreambuf_iterator<char> at_;
    LinePosition* position_ = nullptr;
};

// JSON pointer escaping of one key; a control character is shown as its
// JSON escape, so that a message stays one line.
std::string PointerToken(const std::string& key)
{
    std::string token;
    for (const char c : key) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            token += escape;
        } else if (c == '~') {
            token += "~0";
        } else if (c == '/') {
            token += "~1";
        } else {
            token += c;
        }
    }
    return token;
}

using LineMap = std::unordered_map<std::string, int>;

std::string Quoted(std::string_view text)
{
    return json(std::string(text)).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string Shown(const json& value)
{
    std::string text = value.dump(-1, ' ', false, json::error_handler_t::replace);
    constexpr std::size_t kLongest = 40;
    if (text.size() > kLongest) {
        text.resize(kLongest);
        text += "...";
    }
    return text;
}

[[noreturn]] void Fail(const std::string& pointer, int line, const std::string& what)
{
    throw ReadFailure{(pointer.empty() ? "/" : pointer) + " (line " + std::to_string(line) + "): " + what};
}

// One value of the document and where it is, read only as the tables allow.
class Value {
public:
    Value(const json& value, std::string pointer, int line, const LineMap& lines)
        : value_(value), pointer_(std::move(pointer)), line_(line), lines_(lines)
    {
    }

    const json& raw() const { return value_; }

    [[noreturn]] void Expected(const std::string& expected) const
    {
        Fail(pointer_, line_, "expected " + expected + ", found " + Shown(value_));
    }

    int Int(int lowest, int highest) const
    {
        const std::string expected = lowest == highest
                                         ? std::to_string(lowest)
                                         : "an integer from " + std::to_string(lowest) + " to " + std::to_string(highest);
        if (!value_.is_number_integer()) {
            Expected(expected);
        }
        // Unsigned beyond the signed range would wrap; no table comes near it.
        const bool huge = value_.is_number_unsigned() && value_.get<std::uint64_t>() > std::uint64_t{INT32_MAX};
        if (huge || value_.get<std::int64_t>() < lowest || value_.get<std::int64_t>() > highest) {
            Expected(expected);
        }
        return static_cast<int>(value_.get<std::int64_t>());
    }

    std::uint32_t Seed() const
    {
        if (!value_.is_number_unsigned() || value_.get<std::uint64_t>() > 0xFFFFFFFFu) {
            Expected("an integer from 0 to 4294967295");
        }
        return static_cast<std::uint32_t>(value_.get<std::uint64_t>());
    }

    bool Bool() const
    {
        if (!value_.is_boolean()) {
            Expected("true or false");
        }
        return value_.get<bool>();
    }

    const std::string& String() const
    {
        if (!value_.is_string()) {
            Expected("a string");
        }
        return value_.get_ref<const std::string&>();
    }

    // One of texts, returned as the table's own text.
    std::string_view OneOf(const std::vector<std::string_view>& texts) const
    {
        if (value_.is_string()) {
            const auto found = std::find(texts.begin(), texts.end(), value_.get_ref<const std::string&>());
            if (found != texts.end()) {
                return *found;
            }
        }
        std::string expected = texts.size() == 1 ? "" : "one of ";
        for (std::size_t i = 0; i < texts.size(); ++i) {
            expected += (i == 0 ? "" : ", ") + Quoted(texts[i]);
        }
        Expected(expected);
    }

    // The enumerator whose name is this value's text.
    template <class Enum, std::size_t N>
    Enum Named(const Enum (&values)[N], std::string_view (*name)(Enum)) const
    {
        std::vector<std::string_view> texts;
        for (const Enum value : values) {
            if (std::find(texts.begin(), texts.end(), name(value)) == texts.end()) {
                texts.push_back(name(value));
            }
        }
        const std::string_view text = OneOf(texts);
        return *std::find_if(std::begin(values), std::end(values), [&](Enum value) { return name(value) == text; });
    }

    // The elements of an array of lowest to highest elements.
    std::vector<Value> Elements(std::size_t lowest, std::size_t highest, const char* what) const
    {
        if (!value_.is_array() || value_.size() < lowest || value_.size() > highest) {
            Expected(lowest == highest ? "an array of " + std::to_string(lowest) + " " + what
                                       : "an array of " + std::to_string(lowest) + " to " + std::to_string(highest) +
                                             " " + what);
        }
        std::vector<Value> elements;
        for (std::size_t i = 0; i < value_.size(); ++i) {
            elements.push_back(Member(value_[i], pointer_ + "/" + std::to_string(i)));
        }
        return elements;
    }

    // An element numbered from 1 in its array.
    void CheckNumber(int number) const { At("number").Int(number, number); }

    // The member key, which Fields has found present.
    Value At(const std::string& key) const { return Member(value_.at(key), pointer_ + "/" + PointerToken(key)); }

    // An object with exactly these keys.
    void Fields(const std::vector<const char*>& required) const
    {
        if (!value_.is_object()) {
            Expected("an object");
        }
        for (const char* key : required) {
            if (!value_.contains(key)) {
                Fail(pointer_ + "/" + key, line_, "missing; expected this field in every such object");
            }
        }
        for (const auto& member : value_.items()) {
            const std::string& key = member.key();
            const auto named = [&key](const char* name) { return key == name; };
            if (std::none_of(required.begin(), required.end(), named)) {
                std::string expected;
                for (const char* name : required) {
                    expected += (expected.empty() ? "" : ", ") + std::string(name);
                }
                Fail(pointer_ + "/" + PointerToken(key), LineOf(pointer_ + "/" + PointerToken(key)),
                     "unexpected field; expected only " + expected);
            }
        }
    }

private:
    int LineOf(const std::string& pointer) const
    {
        const auto found = lines_.find(pointer);
        return found == lines_.end() ? line_ : found->second;
    }

    Value Member(const json& value, const std::string& pointer) const
    {
        return Value(value, pointer, LineOf(pointer), lines_);
    }

    const json& value_;
    std::string pointer_;
    int line_;
    const LineMap& lines_;
};

constexpr LowSizeClass kLowSizeClasses[] = {LowSizeClass::MinorOutpost, LowSizeClass::Outpost,
                                            LowSizeClass::MinorColony, LowSizeClass::Colony,
                                            LowSizeClass::MajorColony};
constexpr Importance kImportances[] = {Importance::Unimportant, Importance::Minor, Importance::Major};
constexpr MediumObjectType kMediumTypes[] = {MediumObjectType::Hostile, MediumObjectType::SubTerrestrial,
                                             MediumObjectType::Terrestrial, MediumObjectType::GasGiant,
                                             MediumObjectType::AsteroidBelt};
constexpr ValueClass kValueClasses[] = {ValueClass::None, ValueClass::VeryLow, ValueClass::Low,
                                        ValueClass::Moderate, ValueClass::High, ValueClass::VeryHigh};
constexpr StarColour kStarColours[] = {StarColour::ExtremelyHotBlue, StarColour::BlueB, StarColour::BlueA,
                                       StarColour::White, StarColour::Yellow, StarColour::Orange,
                                       StarColour::Red};
constexpr StarSize kStarSizes[] = {StarSize::Supergiant, StarSize::BrightGiant, StarSize::Giant,
                                   StarSize::SubGiant, StarSize::MainSequence};
constexpr HighObjectType kHighTypes[] = {HighObjectType::Asteroid, HighObjectType::GasGiant,
                                         HighObjectType::Hostile, HighObjectType::SubTerrestrial,
                                         HighObjectType::Terrestrial};
constexpr HighObjectSize kHighSizes[] = {HighObjectSize::Tiny,  HighObjectSize::Small,
                                         HighObjectSize::Medium, HighObjectSize::Large,
                                         HighObjectSize::Huge,  HighObjectSize::HugeCapacity7,
                                         HighObjectSize::HugeCapacity8};
constexpr DetailLevel kDetailLevels[] = {DetailLevel::Low, DetailLevel::Medium, DetailLevel::High};

// The programs that write the document: the dialog and the command line.
const std::vector<std::string_view> kPrograms = {"nexmar", "nexmar-cli"};

// The bounds below are the sums of the tables' extremes; the census values
// of Medium and High objects follow from their Capacity and special exactly.

// Low: the importance table's Capacity 2 to 10 and RAW 1 to 3, Census 1 to
// 7, Morale 1 to 6 and Productivity 0 to 3, and the special table's bonuses
// of at most +2 Capacity, +2 RAW, +1 Census, +1 Morale and +2 Productivity.
constexpr int kLowCapacity[] = {2, 12};
constexpr int kLowRaw[] = {1, 5};
constexpr int kLowCensus[] = {1, 8};
constexpr int kLowMorale[] = {1, 7};
constexpr int kLowProductivity[] = {0, 5};

// Medium: up to 10 objects by the layout table; up to five moons (a d4 plus
// one); a value class's Capacity 6 and RAW 4, a special's +2 and +1, and each
// moon's +3 and +2 at most.
constexpr int kMediumObjects = 10;
constexpr int kMediumMoons = 5;
constexpr int kMediumCapacity[] = {1, 6 + 2 + kMediumMoons * 3};
constexpr int kMediumRaw[] = {1, 4 + 1 + kMediumMoons * 2};

// High: up to three components of one or two stars; up to ten objects (a
// d10); a special roll of two d6 with the type's modifier, -1 to +2; up to
// six moons, each of Capacity 1 or 2 and RAW 0 to 2; the RAW table gives 1 to 3.
constexpr std::size_t kHighComponents = 3;
constexpr std::size_t kHighObjects = 10;
constexpr int kHighSpecialRoll[] = {1, 14};
constexpr std::size_t kHighMoons = 6;
constexpr int kHighMoonCapacity[] = {1, 2};
constexpr int kHighMoonRaw[] = {0, 2};
constexpr int kTableRaw[] = {1, 3};

const char* const kCensusFields[] = {"census", "morale", "productivity"};

// With the census option the three values are required, without it absent.
std::optional<CensusValues> ReadCensus(const Value& object, bool census, const int (&censusRange)[2],
                                       const int (&moraleRange)[2], const int (&productivityRange)[2])
{
    if (!census) {
        return std::nullopt;
    }
    return CensusValues{object.At(kCensusFields[0]).Int(censusRange[0], censusRange[1]),
                        object.At(kCensusFields[1]).Int(moraleRange[0], moraleRange[1]),
                        object.At(kCensusFields[2]).Int(productivityRange[0], productivityRange[1])};
}

void CheckCensus(const Value& object, const CensusValues& expected)
{
    object.At(kCensusFields[0]).Int(expected.census, expected.census);
    object.At(kCensusFields[1]).Int(expected.morale, expected.morale);
    object.At(kCensusFields[2]).Int(expected.productivity, expected.productivity);
}

// An object's fields, with the three census values when the run has them.
void RequireFields(const Value& object, bool census, std::initializer_list<const char*> fields)
{
    std::vector<const char*> all(fields);
    if (census) {
        all.insert(all.end(), std::begin(kCensusFields), std::end(kCensusFields));
    }
    object.Fields(all);
}

LowSystem ReadLowSystem(const Value& system, int number, bool census)
{
    static const std::vector<std::string_view> specials = LowSpecialTexts();
    RequireFields(system, census, {"number", "size", "importance", "capacity", "raw", "special"});
    system.CheckNumber(number);
    LowSystem record;
    record.sizeClass = system.At("size").Named(kLowSizeClasses, LowSizeClassName);
    record.importance = system.At("importance").Named(kImportances, ImportanceName);
    record.capacity = system.At("capacity").Int(kLowCapacity[0], kLowCapacity[1]);
    record.raw = system.At("raw").Int(kLowRaw[0], kLowRaw[1]);
    record.census = ReadCensus(system, census, kLowCensus, kLowMorale, kLowProductivity);
    record.special = system.At("special").OneOf(specials);
    return record;
}

// An object's zone, which never comes before the zone of the object above it.
OrbitZone ReadZone(const Value& object, std::optional<OrbitZone> previousZone)
{
    const Value zone = object.At("zone");
    const OrbitZone read = zone.Named(kOrbitZones, OrbitZoneName);
    if (previousZone && read < *previousZone) {
        zone.Expected("the zones in the order Inner, Habitable, Outer");
    }
    return read;
}

MediumObject ReadMediumObject(const Value& object, int slot, std::optional<OrbitZone> previousZone, bool census)
{
    static const std::vector<std::string_view> specials = MediumSpecialTexts();
    static const std::vector<std::string_view> moons = MediumMoonTexts();
    RequireFields(object, census, {"number", "zone", "type", "value", "capacity", "raw", "special", "moons"});
    object.CheckNumber(slot);
    MediumObject record;
    record.zone = ReadZone(object, previousZone);
    record.type = object.At("type").Named(kMediumTypes, MediumObjectTypeName);
    const Value value = object.At("value");
    if (!value.raw().is_null()) {
        record.value = value.Named(kValueClasses, ValueClassName);
    }
    record.capacity = object.At("capacity").Int(kMediumCapacity[0], kMediumCapacity[1]);
    record.raw = object.At("raw").Int(kMediumRaw[0], kMediumRaw[1]);
    if (census) {
        record.census = MediumObjectCensus(record.capacity);
        CheckCensus(object, *record.census);
    }
    record.special = object.At("special").OneOf(specials);
    for (const Value& moon : object.At("moons").Elements(0, kMediumMoons, "moon results")) {
        record.moons.push_back(moon.OneOf(moons));
    }
    return record;
}

MediumSystem ReadMediumSystem(const Value& system, int number, bool census)
{
    system.Fields({"number", "objects"});
    system.CheckNumber(number);
    MediumSystem record;
    int slot = 0;
    std::optional<OrbitZone> previousZone;
    for (const Value& object : system.At("objects").Elements(1, kMediumObjects, "objects")) {
        record.objects.push_back(ReadMediumObject(object, ++slot, previousZone, census));
        previousZone = record.objects.back().zone;
    }
    return record;
}

Star ReadStar(const Value& star)
{
    star.Fields({"colour", "size", "spectralClass", "luminosityClass", "description"});
    const StarColour named = star.At("colour").Named(kStarColours, StarColourName);
    // Two colours share the name Blue; the spectral class tells them apart.
    std::vector<std::string_view> letters;
    for (const StarColour colour : kStarColours) {
        if (StarColourName(colour) == StarColourName(named)) {
            letters.push_back(SpectralLetter(colour));
        }
    }
    const std::string_view letter = star.At("spectralClass").OneOf(letters);
    Star record;
    record.colour = *std::find_if(std::begin(kStarColours), std::end(kStarColours), [&](StarColour colour) {
        return StarColourName(colour) == StarColourName(named) && SpectralLetter(colour) == letter;
    });
    record.size = star.At("size").Named(kStarSizes, StarSizeName);
    star.At("luminosityClass").OneOf({LuminosityNumeral(record.size)});
    const std::string description = StarDescription(record);
    star.At("description").OneOf({description});
    return record;
}

HighObject ReadHighObject(const Value& object, int number, std::optional<OrbitZone> previousZone, bool census)
{
    RequireFields(object, census,
                  {"number", "zone", "type", "size", "capacity", "raw", "specialRoll", "special", "gaiaWorld", "moons"});
    object.CheckNumber(number);
    HighObject record;
    record.zone = ReadZone(object, previousZone);
    record.type = object.At("type").Named(kHighTypes, HighObjectTypeName);
    record.size = object.At("size").Named(kHighSizes, HighObjectSizeName);
    record.specialRoll = object.At("specialRoll").Int(kHighSpecialRoll[0], kHighSpecialRoll[1]);
    record.special = object.At("special").OneOf({SpecialText(record.specialRoll)});
    record.gaiaWorld = record.specialRoll == kGaiaWorldRoll;
    const Value gaiaWorld = object.At("gaiaWorld");
    if (gaiaWorld.Bool() != record.gaiaWorld) {
        gaiaWorld.Expected(record.gaiaWorld ? "true for special roll 13" : "false for a special roll other than 13");
    }

    // The three Huge sizes share their name and differ only in Capacity.
    const Value capacity = object.At("capacity");
    std::vector<int> capacities;
    for (const HighObjectSize size : kHighSizes) {
        if (HighObjectSizeName(size) == HighObjectSizeName(record.size)) {
            capacities.push_back(HighObjectCapacity(record.type, size, record.specialRoll, census));
        }
    }
    const int lowest = *std::min_element(capacities.begin(), capacities.end());
    const int highest = *std::max_element(capacities.begin(), capacities.end());
    record.capacity = capacity.Int(lowest, highest);
    const auto size = std::find(capacities.begin(), capacities.end(), record.capacity);
    if (size == capacities.end()) {
        std::string expected = "one of";
        for (const int each : capacities) {
            expected.append(" ").append(std::to_string(each));
        }
        capacity.Expected(expected);
    }
    record.size = static_cast<HighObjectSize>(static_cast<int>(record.size) + (size - capacities.begin()));

    record.raw = object.At("raw").Int(HighObjectRaw(kTableRaw[0], record.specialRoll, census),
                                      HighObjectRaw(kTableRaw[1], record.specialRoll, census));
    if (census) {
        record.census = HighObjectCensus(record.capacity, record.specialRoll);
        CheckCensus(object, *record.census);
    }
    const bool asteroid = record.type == HighObjectType::Asteroid;
    int moonNumber = 0;
    for (const Value& moon : object.At("moons").Elements(0, asteroid ? 0 : kHighMoons, "moons")) {
        moon.Fields({"number", "capacity", "raw"});
        moon.CheckNumber(++moonNumber);
        record.moons.push_back(HighMoon{moon.At("capacity").Int(kHighMoonCapacity[0], kHighMoonCapacity[1]),
                                        moon.At("raw").Int(kHighMoonRaw[0], kHighMoonRaw[1])});
    }
    return record;
}

HighSystem ReadHighSystem(const Value& system, int number, bool census)
{
    system.Fields({"number", "components"});
    system.CheckNumber(number);
    HighSystem record;
    char letter = 'A';
    for (const Value& component : system.At("components").Elements(1, kHighComponents, "components")) {
        component.Fields({"letter", "stars", "objects"});
        StarComponent& read = record.components.emplace_back();
        read.letter = letter++;
        component.At("letter").OneOf({std::string_view(&read.letter, 1)});
        for (const Value& star : component.At("stars").Elements(1, 2, "stars")) {
            read.stars.push_back(ReadStar(star));
        }
        std::optional<OrbitZone> previousZone;
        int objectNumber = 0;
        for (const Value& object : component.At("objects").Elements(0, kHighObjects, "objects")) {
            read.objects.push_back(ReadHighObject(object, ++objectNumber, previousZone, census));
            previousZone = read.objects.back().zone;
        }
    }
    return record;
}

// Receives the parser's events. The head's members and each system are
// built as small documents of their own, with the line of every value, and
// checked as soon as they are complete; the systems array itself is never
// held.
class RunReader {
public:
    RunReader(int maxSystems, JsonRunSummary& summary, RecordObserver& observer, LinePosition& position)
        : maxSystems_(maxSystems), summary_(summary), observer_(observer), position_(position)
    {
    }

    bool null() { return Scalar(json(nullptr), position_.line); }
    bool boolean(bool value) { return Scalar(json(value), position_.line); }
    bool number_integer(std::int64_t value) { return Scalar(json(value), NumberLine()); }
    bool number_unsigned(std::uint64_t value) { return Scalar(json(value), NumberLine()); }
    bool number_float(double value, const std::string&) { return Scalar(json(value), NumberLine()); }
    bool string(std::string& value) { return Scalar(json(std::move(value)), position_.line); }
    bool binary(json::binary_t& value) { return Scalar(json(value), position_.line); }

    bool start_object(std::size_t)
    {
        if (frames_.empty()) {
            frames_.push_back({Frame::Root, "", {}, {}, 0, &head_});
            head_ = json::object();
            lines_[""] = position_.line;
            return true;
        }
        json* node = Begin(json::object(), position_.line);
        frames_.push_back({Frame::Object, pointer_, {}, {}, 0, node});
        return true;
    }

    bool key(std::string& key)
    {
        Frame& frame = frames_.back();
        if (!frame.keys.insert(key).second) {
            Fail(frame.pointer + "/" + PointerToken(key), position_.line,
                 "duplicate key " + Quoted(key) + "; expected each key once in an object");
        }
        frame.key = key;
        if (frame.kind == Frame::Root && key == "systems") {
            CheckHead(false);
        }
        return true;
    }

    bool end_object()
    {
        const Frame::Kind kind = frames_.back().kind;
        frames_.pop_back();
        if (kind == Frame::Root) {
            CheckHead(true);
        } else {
            EndValue();
        }
        return true;
    }

    bool start_array(std::size_t)
    {
        if (frames_.empty()) {
            Fail("", position_.line, "expected an object, found an array");
        }
        const Frame& parent = frames_.back();
        if (parent.kind == Frame::Root && parent.key == "systems") {
            lines_["/systems"] = position_.line;
            frames_.push_back({Frame::Systems, "/systems", {}, {}, 0, nullptr});
            return true;
        }
        json* node = Begin(json::array(), position_.line);
        frames_.push_back({Frame::Array, pointer_, {}, {}, 0, node});
        return true;
    }

    bool end_array()
    {
        const Frame ended = std::move(frames_.back());
        frames_.pop_back();
        if (ended.kind == Frame::Systems) {
            if (ended.count == 0) {
                Fail("/systems", lines_["/systems"], "expected an array of at least one system, found []");
            }
            summary_.systems = ended.count;
            systemsRead_ = true;
        }
        EndValue();
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error)
    {
        // The library's message names the line and column of the character;
        // the place is given here as a pointer, and what the parser expected
        // follows the library's position.
        std::string what = error.what();
        const std::size_t column = what.find("column ");
        const std::size_t reason = column == std::string::npos ? std::string::npos : what.find(": ", column);
        if (reason != std::string::npos) {
            what.erase(0, reason + 2);
        }
        std::string place;
        if (!frames_.empty()) {
            const Frame& frame = frames_.back();
            place = frame.pointer;
            if (frame.kind == Frame::Root || frame.kind == Frame::Object) {
                if (!frame.key.empty()) {
                    place += "/" + PointerToken(frame.key);
                }
            } else {
                place += "/" + std::to_string(frame.count);
            }
        }
        // A character that ends a line is still on it.
        Fail(place, position_.line - (position_.last == '\n' ? 1 : 0), what);
    }

private:
    struct Frame {
        enum Kind { Root, Systems, Object, Array } kind;
        std::string pointer;
        std::set<std::string> keys;
        std::string key;  // of the member being read
        int count;        // elements so far
        json* node;       // where members go; none for the systems array
    };

    int NumberLine() const { return position_.line - (position_.last == '\n' ? 1 : 0); }

    // Places a new value in the document being built, sets pointer_ to it
    // and returns it.
    json* Begin(json value, int line)
    {
        if (frames_.empty()) {
            Fail("", line, "expected an object, found " + Shown(value));
        }
        Frame& frame = frames_.back();
        json* node = nullptr;
        switch (frame.kind) {
        case Frame::Root:
            pointer_ = "/" + PointerToken(frame.key);
            if (frame.key == "systems") {
                Fail(pointer_, line, "expected an array of systems, found " + Shown(value));
            }
            node = &(head_[frame.key] = std::move(value));
            break;
        case Frame::Systems:
            if (frame.count == maxSystems_) {
                throw ReadFailure{"/systems/" + std::to_string(frame.count) + " (line " + std::to_string(line) +
                                      "): expected at most " + std::to_string(maxSystems_) + " systems",
                                  true};
            }
            pointer_ = "/systems/" + std::to_string(frame.count++);
            system_ = std::move(value);
            node = &system_;
            break;
        case Frame::Object:
            pointer_ = frame.pointer + "/" + PointerToken(frame.key);
            node = &((*frame.node)[frame.key] = std::move(value));
            break;
        case Frame::Array:
            pointer_ = frame.pointer + "/" + std::to_string(frame.count++);
            frame.node->push_back(std::move(value));
            node = &frame.node->back();
            break;
        }
        lines_[pointer_] = line;
        return node;
    }

    bool Scalar(json value, int line)
    {
        Begin(std::move(value), line);
        EndValue();
        return true;
    }

    // A value is complete: a member's key is done with, and a system ends
    // with its last value.
    void EndValue()
    {
        if (frames_.empty()) {
            return;
        }
        if (frames_.back().kind != Frame::Systems) {
            frames_.back().key.clear();
            return;
        }
        const int number = frames_.back().count;
        const std::string pointer = "/systems/" + std::to_string(number - 1);
        const Value system(system_, pointer, lines_[pointer], lines_);
        const bool census = summary_.header.census;
        switch (summary_.header.level) {
        case DetailLevel::Low:
            observer_.OnLowSystem(number, ReadLowSystem(system, number, census));
            break;
        case DetailLevel::Medium:
            observer_.OnMediumSystem(number, ReadMediumSystem(system, number, census));
            break;
        case DetailLevel::High:
            observer_.OnHighSystem(number, ReadHighSystem(system, number, census));
            break;
        }
        std::erase_if(lines_, [](const auto& entry) { return entry.first.starts_with("/systems/"); });
    }

    Value Head(const char* key) const { return Value(head_.at(key), std::string("/") + key, LineOf(key), lines_); }

    int LineOf(const char* key) const
    {
        const auto found = lines_.find(std::string("/") + key);
        return found == lines_.end() ? lines_.at("") : found->second;
    }

    // The format first, then each member of the head read so far. Before
    // the systems, the members that say how to read them must be there;
    // at the end, every member.
    void CheckHead(bool complete)
    {
        const auto require = [&](const char* key, const char* why) {
            if (!head_.contains(key)) {
                Fail(std::string("/") + key, position_.line,
                     std::string("missing; expected ") + why);
            }
        };
        const char* const before = "before \"systems\"";
        require("format", complete ? "the format version" : "the format version before \"systems\"");
        Head("format").Int(kJsonFormatVersion, kJsonFormatVersion);
        for (const char* key : {"detail", "census"}) {
            require(key, complete ? "this field in the document" : before);
        }
        summary_.header.level = Head("detail").Named(kDetailLevels, DetailLevelName);
        summary_.header.census = Head("census").Bool();
        if (complete) {
            if (!systemsRead_) {
                require("systems", "the systems");
            }
            for (const char* key : {"program", "version", "seed"}) {
                require(key, "this field in the document");
            }
        }
        if (head_.contains("program")) {
            summary_.header.program = Head("program").OneOf(kPrograms);
        }
        if (head_.contains("version")) {
            summary_.version = Head("version").String();
        }
        if (head_.contains("seed")) {
            summary_.header.seed = Head("seed").Seed();
        }
        for (const auto& [key, value] : head_.items()) {
            if (key != "program" && key != "version" && key != "format" && key != "seed" && key != "detail" &&
                key != "census" && key != "systems") {
                Fail("/" + PointerToken(key), lines_.at("/" + PointerToken(key)),
                     "unexpected field; expected only program, version, format, seed, detail, census, systems");
            }
        }
    }

    int maxSystems_;
    JsonRunSummary& summary_;
    RecordObserver& observer_;
    LinePosition& position_;
    std::vector<Frame> frames_;
    json head_;    // the top object's members but the systems
    json system_;  // the system being read
    std::string pointer_;
    LineMap lines_;
    bool systemsRead_ = false;
};

class Collector final : public RecordObserver {
public:
    explicit Collector(LoadedRun& run) : run_(run) {}
    void OnLowSystem(int, const LowSystem& system) override { run_.low.push_back(system); }
    void OnMediumSystem(int, const MediumSystem& system) override { run_.medium.push_back(system); }
    void OnHighSystem(int, const HighSystem& system) override { run_.high.push_back(system); }

private:
    LoadedRun& run_;
};

}  // namespace

std::optional<JsonReadError> ReadJsonRun(std::istream& in, int maxSystems, JsonRunSummary& summary,
                                         RecordObserver& observer)
{
    LinePosition position;
    RunReader reader(maxSystems, summary, observer, position);
    try {
        json::sax_parse(CountingIterator(std::istreambuf_iterator<char>(in), &position),
                        CountingIterator(std::istreambuf_iterator<char>(), &position), &reader);
    } catch (const ReadFailure& failure) {
        return JsonReadError{failure.message, failure.tooManySystems};
    }
    return std::nullopt;
}

std::variant<LoadedRun, JsonReadError> LoadJsonRun(std::istream& in, int maxSystems)
{
    LoadedRun run;
    Collector collector(run);
    if (std::optional<JsonReadError> error = ReadJsonRun(in, maxSystems, run.summary, collector)) {
        return *std::move(error);
    }
    return run;
}

RunOutcome RenderLoadedRun(const LoadedRun& run, ResultTree& tree, ReportFiles& reports, Notifier& notifier,
                           const SystemDone& systemDone, std::span<RecordObserver* const> observers)
{
    tree.Clear();
    RunRenderer renderer(run.summary.header.level, true, tree, reports, notifier, systemDone, observers);
    for (const LowSystem& system : run.low) {
        renderer.AddLowSystem(system);
    }
    for (const MediumSystem& system : run.medium) {
        renderer.AddMediumSystem(system);
    }
    for (const HighSystem& system : run.high) {
        renderer.AddHighSystem(system);
    }
    return renderer.Finish();
}

}  // namespace nexmar
