#include "json/private/json_parser.h"

#include <cstdio>

namespace nexmar {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 16;
constexpr std::uint32_t kMaxMembers = 64;

}  // namespace

std::string JsonParser::Found(int c)
{
    if (c < 0) {
        return "the end of the file";
    }
    char text[16];
    if (c >= 0x20 && c < 0x7f) {
        std::snprintf(text, sizeof text, "'%c'", static_cast<char>(c));
    } else {
        std::snprintf(text, sizeof text, "byte 0x%02X", static_cast<unsigned>(c));
    }
    return text;
}

namespace {

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

JsonParser::JsonParser(JsonByteSource& source) : source_(source), buffer_(kChunkBytes)
{
    at_ = end_ = buffer_.data();
}

bool JsonParser::Refill()
{
    consumed_ += static_cast<std::uint64_t>(end_ - buffer_.data());
    const std::size_t read = source_.Read(buffer_.data(), buffer_.size());
    at_ = buffer_.data();
    end_ = at_ + read;
    return read > 0;
}

int JsonParser::PeekNonSpace()
{
    for (;;) {
        const int c = Peek();
        if (c == '\n') {
            ++line_;
            lineStart_ = consumed_ + static_cast<std::uint64_t>(at_ - buffer_.data()) + 1;
        } else if (c != ' ' && c != '\t' && c != '\r') {
            return c;
        }
        ++at_;
    }
}

void JsonParser::Fail(const std::string& pointer, int line, const std::string& what) const
{
    throw JsonErrorAt(pointer, line, what, false, line == line_ ? Column() : 0);
}

std::string JsonParser::PlacePointer() const
{
    std::string pointer = place_.unit ? place_.unit->Pointer(place_.node) : place_.prefix;
    if (place_.hasKey) {
        pointer += "/" + PointerToken(std::string_view(place_.unit->text_).substr(place_.keyAt, place_.keyLength));
    } else if (place_.index >= 0) {
        pointer += "/" + std::to_string(place_.index);
    }
    return pointer;
}

void JsonParser::SyntaxFault(const std::string& expected)
{
    const int c = Peek();
    Fail(PlacePointer(), line_, "expected " + expected + ", found " + Found(c));
}

void JsonParser::Expect(char c, const char* expected)
{
    if (PeekNonSpace() != static_cast<unsigned char>(c)) {
        SyntaxFault(expected);
    }
    ++at_;
}

void JsonParser::BeginDocument(JsonUnit& head)
{
    place_ = Place{};
    const int c = PeekNonSpace();
    if (c == kEnd) {
        Fail("", line_, "not a JSON document: the file is empty");
    }
    if (c != '{') {
        Fail("", line_, "not a JSON document of a run; expected '{' at its start, found " + Found(c));
    }
    ++at_;
    head.Reset(JsonUnit::kHead, "the document's head");
    JsonUnit::Node& root = head.nodes_.emplace_back();
    root.kind = JsonUnit::Node::Kind::Object;
    root.line = static_cast<std::uint32_t>(line_);
    root.column = Column();
}

bool JsonParser::NextTopKey(std::string& key, const JsonUnit& head)
{
    place_ = Place{&head, head.root(), {}};
    int c = PeekNonSpace();
    if (c == '}') {
        ++at_;
        return false;
    }
    if (!firstTopMember_) {
        if (c != ',') {
            SyntaxFault("',' or '}'");
        }
        ++at_;
        c = PeekNonSpace();
    }
    firstTopMember_ = false;
    if (c != '"') {
        SyntaxFault("a key in double quotes");
    }
    key.clear();
    ReadString(key, JsonUnit::kMaxTextBytes);
    return true;
}

void JsonParser::Colon(const std::string& pointer)
{
    place_ = Place{nullptr, JsonUnit::kNone, pointer};
    Expect(':', "':'");
}

void JsonParser::ReadHeadMember(JsonUnit& head, const std::string& key)
{
    if (head.nodes_[head.root()].count >= kMaxMembers) {
        Fail("/" + PointerToken(key), line_, "expected at most " + std::to_string(kMaxMembers) + " members in an object");
    }
    place_ = Place{nullptr, JsonUnit::kNone, "/" + PointerToken(key)};
    const auto keyAt = static_cast<std::uint32_t>(head.text_.size());
    head.text_ += key;
    ReadValue(head, head.root(), 2, keyAt, static_cast<std::uint32_t>(key.size()));
}

void JsonParser::BeginSystems()
{
    place_ = Place{nullptr, JsonUnit::kNone, "/systems"};
    if (PeekNonSpace() != '[') {
        SyntaxFault("an array of systems");
    }
    ++at_;
}

bool JsonParser::NextSystem(int index)
{
    place_ = Place{nullptr, JsonUnit::kNone, "/systems", false, 0, 0, index};
    const int c = PeekNonSpace();
    if (c == ']') {
        ++at_;
        return false;
    }
    if (index > 0) {
        if (c != ',') {
            SyntaxFault("',' or ']'");
        }
        ++at_;
        PeekNonSpace();
    }
    return true;
}

void JsonParser::ReadSystem(JsonUnit& system)
{
    ReadValue(system, JsonUnit::kNone, 3);
}

void JsonParser::EndDocument()
{
    place_ = Place{};
    const int c = PeekNonSpace();
    if (c != kEnd) {
        Fail("", line_, "expected nothing after the document's closing '}', found " + Found(c));
    }
}

void JsonParser::FailLimit(const JsonUnit& unit, int depth) const
{
    if (depth > kMaxDepth) {
        Fail(PlacePointer(), line_, "nested deeper than " + std::to_string(kMaxDepth) + " levels");
    }
    Fail(PlacePointer(), line_,
         "expected at most " + std::to_string(JsonUnit::kMaxValues) + " values in " + std::string(unit.what_));
}

inline std::uint32_t JsonParser::AddNode(JsonUnit& unit, std::uint32_t parent, int depth)
{
    if (depth > kMaxDepth || unit.nodes_.size() >= JsonUnit::kMaxValues) {
        FailLimit(unit, depth);
    }
    const auto id = static_cast<std::uint32_t>(unit.nodes_.size());
    unit.indexed_ = JsonUnit::kNone;
    JsonUnit::Node& node = unit.nodes_.emplace_back();
    node.line = static_cast<std::uint32_t>(line_);
    node.column = Column();
    node.parent = parent;
    if (parent != JsonUnit::kNone) {
        JsonUnit::Node& container = unit.nodes_[parent];
        node.index = container.count++;
        if (container.last == JsonUnit::kNone) {
            container.first = id;
        } else {
            unit.nodes_[container.last].next = id;
        }
        container.last = id;
    }
    return id;
}

std::uint32_t JsonParser::ReadValue(JsonUnit& unit, std::uint32_t parent, int depth, std::uint32_t keyAt,
                                    std::uint32_t keyLength)
{
    const int c = PeekNonSpace();
    const std::uint32_t id = AddNode(unit, parent, depth);
    JsonUnit::Node& node = unit.nodes_[id];
    // Named before its value is read, so that a fault inside it names the member.
    node.keyAt = keyAt;
    node.keyLength = keyLength;
    if (parent != JsonUnit::kNone) {
        unit.nodes_[parent].keyBits |= KeyBit(unit.Key(id));
    }
    using Kind = JsonUnit::Node::Kind;
    switch (c) {
    case '"':
        node.kind = Kind::String;
        node.textAt = static_cast<std::uint32_t>(unit.text_.size());
        ReadString(unit.text_, JsonUnit::kMaxTextBytes);
        unit.nodes_[id].textLength = static_cast<std::uint32_t>(unit.text_.size() - unit.nodes_[id].textAt);
        return id;
    case 't': node.kind = Kind::True; ReadLiteral("true"); return id;
    case 'f': node.kind = Kind::False; ReadLiteral("false"); return id;
    case 'n': node.kind = Kind::Null; ReadLiteral("null"); return id;
    case '{':
    case '[': ReadContainer(unit, id, c == '{', depth); return id;
    default:
        if (c == '-' || IsDigit(c)) {
            node.kind = Kind::Number;
            ReadNumber(unit, node);
            return id;
        }
        SyntaxFault("a value");
    }
}

void JsonParser::ReadContainer(JsonUnit& unit, std::uint32_t id, bool object, int depth)
{
    unit.nodes_[id].kind = object ? JsonUnit::Node::Kind::Object : JsonUnit::Node::Kind::Array;
    ++at_;
    const Place outer = place_;
    place_ = Place{&unit, id, {}};
    const char close = object ? '}' : ']';
    for (int n = 0;; ++n) {
        place_.hasKey = false;
        place_.index = object ? -1 : n;
        int next = PeekNonSpace();
        if (next == close) {
            ++at_;
            break;
        }
        if (n > 0) {
            if (next != ',') {
                SyntaxFault(object ? "',' or '}'" : "',' or ']'");
            }
            ++at_;
        }
        if (object) {
            ReadMember(unit, id, depth);
        } else {
            ReadValue(unit, id, depth + 1);
        }
    }
    place_ = outer;
}

void JsonParser::ReadMember(JsonUnit& unit, std::uint32_t object, int depth)
{
    if (PeekNonSpace() != '"') {
        SyntaxFault("a key in double quotes");
    }
    const auto keyAt = static_cast<std::uint32_t>(unit.text_.size());
    ReadString(unit.text_, JsonUnit::kMaxTextBytes);
    const auto keyLength = static_cast<std::uint32_t>(unit.text_.size() - keyAt);
    const std::string_view key(unit.text_.data() + keyAt, keyLength);
    place_.hasKey = true;
    place_.keyAt = keyAt;
    place_.keyLength = keyLength;
    const bool mayHoldKey = (unit.nodes_[object].keyBits & KeyBit(key)) != 0;
    for (std::uint32_t child = mayHoldKey ? unit.nodes_[object].first : JsonUnit::kNone; child != JsonUnit::kNone;
         child = unit.nodes_[child].next) {
        if (SameKey(unit.Key(child), key)) {
            Fail(PlacePointer(), line_, "duplicate key " + JsonQuoted(key) + "; expected each key once in an object");
        }
    }
    if (unit.nodes_[object].count >= kMaxMembers) {
        Fail(PlacePointer(), line_, "expected at most " + std::to_string(kMaxMembers) + " members in an object");
    }
    Expect(':', "':'");
    ReadValue(unit, object, depth + 1, keyAt, keyLength);
}

void JsonParser::ReadLiteral(const char* word)
{
    for (const char* c = word; *c != '\0'; ++c) {
        if (Peek() != static_cast<unsigned char>(*c)) {
            SyntaxFault("a value");
        }
        ++at_;
    }
}

void JsonParser::ReadNumber(JsonUnit& unit, JsonUnit::Node& node)
{
    // node may move as the unit grows; nothing is added to the unit here.
    const auto textAt = static_cast<std::uint32_t>(unit.text_.size());
    const auto take = [&] {
        if (unit.text_.size() - textAt >= 64) {
            Fail(PlacePointer(), line_, "expected a number of at most 64 characters");
        }
        unit.text_ += *at_++;
    };
    bool integer = true;
    if (Peek() == '-') {
        node.negative = true;
        take();
    }
    if (Peek() == '0') {
        take();
    } else if (IsDigit(Peek())) {
        while (IsDigit(Peek())) {
            const unsigned digit = static_cast<unsigned>(*at_ - '0');
            if (node.magnitude > (UINT64_MAX - digit) / 10) {
                node.huge = true;
            }
            node.magnitude = node.magnitude * 10 + digit;
            take();
        }
    } else {
        SyntaxFault("a digit");
    }
    if (Peek() == '.') {
        integer = false;
        take();
        if (!IsDigit(Peek())) {
            SyntaxFault("a digit after the decimal point");
        }
        while (IsDigit(Peek())) {
            take();
        }
    }
    if (Peek() == 'e' || Peek() == 'E') {
        integer = false;
        take();
        if (Peek() == '+' || Peek() == '-') {
            take();
        }
        if (!IsDigit(Peek())) {
            SyntaxFault("a digit in the exponent");
        }
        while (IsDigit(Peek())) {
            take();
        }
    }
    node.textAt = textAt;
    node.textLength = static_cast<std::uint32_t>(unit.text_.size() - textAt);
    node.integer = integer && !(node.negative && node.magnitude == 0);
}

}  // namespace nexmar
