#pragma once

#include <cstddef>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "json/json_read_error.h"

namespace nexmar {

// Where a document's bytes come from; the reader pulls them in chunks.
class JsonByteSource {
public:
    virtual ~JsonByteSource() = default;
    // Up to size bytes into buffer; 0 only at the end (or on a failure the
    // source keeps for its owner to ask about).
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};


// One part of a document held as a tree: the head's members, or one system.
// Its size is bounded, so that no document can make it large; where each
// value is in the document (its JSON pointer) is kept as links to parents
// and is spelled out only when a message needs it.
class JsonUnit {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    static constexpr std::size_t kMaxValues = std::size_t{1} << 15;
    static constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;

    struct Node {
        enum class Kind : std::uint8_t { Null, False, True, Number, String, Array, Object } kind = Kind::Null;
        bool integer = false;   // a Number written as digits alone, never "-0"
        bool negative = false;
        bool huge = false;      // magnitude beyond 64 bits
        std::uint32_t line = 0;
        std::uint32_t column = 0;  // in bytes from the line's start, from 1
        std::uint32_t parent = kNone;
        std::uint32_t first = kNone;  // first child
        std::uint32_t last = kNone;   // last child
        std::uint32_t next = kNone;   // next sibling
        std::uint32_t count = 0;      // children
        std::uint32_t index = 0;      // place among its parent's children
        std::uint32_t keyAt = 0, keyLength = 0;    // in an object: its key
        std::uint32_t textAt = 0, textLength = 0;  // a String's text, a Number's digits
        std::uint64_t magnitude = 0;
        // An object's: the KeyBit of each key it holds, so that a key it
        // lacks (an optional field, a new key) is most often known absent
        // without a look at its members.
        std::uint32_t keyBits = 0;
    };

    // Empties the unit; its root will be the system of that index, or the
    // document's root for the head (kHead).
    static constexpr long kHead = -1;
    void Reset(long system, std::string_view what);
    const Node& at(std::uint32_t node) const { return nodes_[node]; }
    std::string_view Key(std::uint32_t node) const { return {text_.data() + nodes_[node].keyAt, nodes_[node].keyLength}; }
    std::string_view Text(std::uint32_t node) const
    {
        return {text_.data() + nodes_[node].textAt, nodes_[node].textLength};
    }
    // The child of object with key, or kNone.
    std::uint32_t Find(std::uint32_t object, std::string_view key) const;
    std::string Pointer(std::uint32_t node) const;
    // The value as compact JSON, cut after about 40 characters.
    std::string Shown(std::uint32_t node) const;
    std::uint32_t root() const { return 0; }

private:
    friend class JsonParser;
    void ShowInto(std::string& out, std::uint32_t node) const;

    // Indexes the members of object by their KeySlot, for Find.
    void IndexMembers(std::uint32_t object) const;

    static constexpr std::uint32_t kShared = kNone - 1;  // a slot of more than one member
    std::vector<Node> nodes_;
    std::string text_;
    // The object whose members bySlot_ holds, each under its KeySlot (or
    // kShared): an object's fields are asked for one after another, so Find
    // indexes them once and finds each at once. Any node added forgets it.
    mutable std::uint32_t indexed_ = kNone;
    mutable std::array<std::uint32_t, 32> bySlot_{};
    long system_ = kHead;
    std::string_view what_;  // "one system": what the bounds are of, for messages
};

// A pull parser over a byte source, for the run reader to drive: it knows
// the shape of the document's top (an object whose "systems" member is an
// array) and reads every other value into a JsonUnit. Nesting is limited to
// kMaxDepth, text must be UTF-8, and nothing but white space may follow the
// document. Failures throw JsonReadError.
class JsonParser {
public:
    static constexpr int kMaxDepth = 64;

    explicit JsonParser(JsonByteSource& source);

    // The '{' that opens the document; head is emptied and holds it as its root.
    void BeginDocument(JsonUnit& head);
    // The next member key of the top object, or false at its '}'.
    bool NextTopKey(std::string& key, const JsonUnit& head);
    // The ':' after a key.
    void Colon(const std::string& pointer);
    // A member value of the top object, appended to head's root under key.
    void ReadHeadMember(JsonUnit& head, const std::string& key);
    // The '[' of the systems, then each element in turn: false at the ']'.
    void BeginSystems();
    bool NextSystem(int index);
    void ReadSystem(JsonUnit& system);
    // Nothing but white space after the document.
    void EndDocument();
    int line() const { return line_; }
    // The column of the next byte, in bytes from 1.
    std::uint32_t Column() const
    {
        return static_cast<std::uint32_t>(consumed_ + static_cast<std::uint64_t>(at_ - buffer_.data()) - lineStart_ + 1);
    }

    [[noreturn]] void Fail(const std::string& pointer, int line, const std::string& what) const;

private:
    // Where a syntax fault is reported: a container and the member or
    // element being read in it.
    struct Place {
        const JsonUnit* unit = nullptr;  // none: prefix alone names the container
        std::uint32_t node = JsonUnit::kNone;
        std::string prefix;
        bool hasKey = false;  // the key in unit's text
        std::uint32_t keyAt = 0, keyLength = 0;
        long index = -1;
    };
    std::string PlacePointer() const;

    static constexpr int kEnd = -1;
    // A byte as a message shows it: printable ASCII as itself, anything
    // else by its value, so that no raw byte reaches a message.
    static std::string Found(int c);
    int Peek()
    {
        if (at_ == end_ && !Refill()) {
            return kEnd;
        }
        return static_cast<unsigned char>(*at_);
    }
    bool Refill();
    int PeekNonSpace();
    [[noreturn]] void SyntaxFault(const std::string& expected);
    void Expect(char c, const char* expected);
    // Appends a value's node under parent (kNone: the unit's top value),
    // within the unit's depth and size limits.
    std::uint32_t AddNode(JsonUnit& unit, std::uint32_t parent, int depth);
    [[noreturn, gnu::cold]] void FailLimit(const JsonUnit& unit, int depth) const;
    // A value under parent; in an object, under the key at keyAt in the unit's text.
    std::uint32_t ReadValue(JsonUnit& unit, std::uint32_t parent, int depth, std::uint32_t keyAt = 0,
                            std::uint32_t keyLength = 0);
    void ReadContainer(JsonUnit& unit, std::uint32_t id, bool object, int depth);
    // One key and its value, into object.
    void ReadMember(JsonUnit& unit, std::uint32_t object, int depth);
    void ReadString(std::string& into, std::size_t limit);
    // After a backslash in a text: the character it stands for.
    void ReadEscape(std::string& into);
    // After \u: one character, or the two halves of a pair.
    unsigned ReadUnicodeEscape();
    void ReadUtf8Sequence(std::string& into, unsigned char lead);
    unsigned ReadHex4();
    void ReadNumber(JsonUnit& unit, JsonUnit::Node& node);
    void ReadLiteral(const char* word);

    JsonByteSource& source_;
    std::vector<char> buffer_;
    const char* at_ = nullptr;
    const char* end_ = nullptr;
    int line_ = 1;
    std::uint64_t consumed_ = 0;   // the bytes before the buffer's
    std::uint64_t lineStart_ = 0;  // where line_ starts, counted as consumed_
    Place place_;
    bool firstTopMember_ = true;
};

// A key's slot among an object's keys, 0 to 31: keys of different slots
// differ. From the length and the ends, which set the keys of the document
// apart.
inline unsigned KeySlot(std::string_view key)
{
    const std::size_t mix = key.empty() ? 0
                                        : key.size() * 7 + static_cast<unsigned char>(key.front()) +
                                              3u * static_cast<unsigned char>(key.back());
    return static_cast<unsigned>(mix & 31);
}
inline std::uint32_t KeyBit(std::string_view key) { return std::uint32_t{1} << KeySlot(key); }

// Two keys alike; cheaper than == where most keys differ in length or first
// letter, and compared in place: the document's keys are a few bytes, too
// short to be worth a call of memcmp.
inline bool SameKey(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// text as a JSON string, quotes included.
std::string JsonQuoted(std::string_view text);
// A key as a JSON pointer token; a control character shown as its JSON
// escape so that a message stays one line.
std::string PointerToken(std::string_view key);

}  // namespace nexmar
