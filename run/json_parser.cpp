#include "run/json_parser.h"

#include <array>
#include <cstdio>

namespace nexmar {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 16;
constexpr std::uint32_t kMaxMembers = 64;
constexpr std::size_t kShownLength = 40;

// A byte as a message shows it: printable ASCII as itself, anything else
// by its value, so that no raw byte reaches a message.
std::string Found(int c)
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

// The bytes a text holds as they are: printable ASCII but the quote and
// the backslash.
constexpr auto kPlainText = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c) {
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    }
    return plain;
}();

bool IsDigit(int c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::string JsonQuoted(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\b': quoted += "\\b"; break;
        case '\f': quoted += "\\f"; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        case '\t': quoted += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                quoted += escape;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

std::string PointerToken(std::string_view key)
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

void JsonUnit::Reset(long system, std::string_view what)
{
    nodes_.clear();
    text_.clear();
    system_ = system;
    what_ = what;
}

std::uint32_t JsonUnit::Find(std::uint32_t object, std::string_view key) const
{
    // Fields are mostly asked for in the order they are written: the search
    // starts after the field found last, and wraps around.
    std::uint32_t start = nodes_[object].first;
    if (lastFound_ < nodes_.size() && nodes_[lastFound_].parent == object && nodes_[lastFound_].next != kNone) {
        start = nodes_[lastFound_].next;
    }
    for (std::uint32_t child = start; child != kNone; child = nodes_[child].next) {
        if (SameKey(Key(child), key)) {
            return lastFound_ = child;
        }
    }
    for (std::uint32_t child = nodes_[object].first; child != start; child = nodes_[child].next) {
        if (SameKey(Key(child), key)) {
            return lastFound_ = child;
        }
    }
    return kNone;
}

std::string JsonUnit::Pointer(std::uint32_t node) const
{
    std::vector<std::uint32_t> path;
    for (std::uint32_t at = node; at != kNone && nodes_[at].parent != kNone; at = nodes_[at].parent) {
        path.push_back(at);
    }
    std::string pointer = system_ == kHead ? "" : "/systems/" + std::to_string(system_);
    for (auto step = path.rbegin(); step != path.rend(); ++step) {
        const Node& parent = nodes_[nodes_[*step].parent];
        pointer += "/";
        pointer += parent.kind == Node::Kind::Object ? PointerToken(Key(*step)) : std::to_string(nodes_[*step].index);
    }
    return pointer;
}

std::string JsonUnit::Shown(std::uint32_t node) const
{
    std::string text;
    ShowInto(text, node);
    if (text.size() > kShownLength) {
        std::size_t cut = kShownLength;
        // Never in the middle of a character.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        text.resize(cut);
        text += "...";
    }
    return text;
}

void JsonUnit::ShowInto(std::string& out, std::uint32_t node) const
{
    if (out.size() > kShownLength) {
        return;
    }
    const Node& value = nodes_[node];
    switch (value.kind) {
    case Node::Kind::Null: out += "null"; break;
    case Node::Kind::False: out += "false"; break;
    case Node::Kind::True: out += "true"; break;
    case Node::Kind::Number: out += Text(node); break;
    case Node::Kind::String: out += JsonQuoted(Text(node)); break;
    case Node::Kind::Array:
    case Node::Kind::Object: {
        const bool object = value.kind == Node::Kind::Object;
        out += object ? '{' : '[';
        for (std::uint32_t child = value.first; child != kNone && out.size() <= kShownLength;
             child = nodes_[child].next) {
            if (child != value.first) {
                out += ',';
            }
            if (object) {
                out += JsonQuoted(Key(child)) + ":";
            }
            ShowInto(out, child);
        }
        out += object ? '}' : ']';
        break;
    }
    }
}

JsonParser::JsonParser(JsonByteSource& source) : source_(source), buffer_(kChunkBytes)
{
    at_ = end_ = buffer_.data();
}

bool JsonParser::Refill()
{
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
        } else if (c != ' ' && c != '\t' && c != '\r') {
            return c;
        }
        ++at_;
    }
}

void JsonParser::Fail(const std::string& pointer, int line, const std::string& what) const
{
    throw JsonReadFailure{(pointer.empty() ? "/" : pointer) + " (line " + std::to_string(line) + "): " + what};
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
    const std::uint32_t member = ReadValue(head, head.root(), 2);
    head.nodes_[member].keyAt = keyAt;
    head.nodes_[member].keyLength = static_cast<std::uint32_t>(key.size());
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

std::uint32_t JsonParser::ReadValue(JsonUnit& unit, std::uint32_t parent, int depth)
{
    const int c = PeekNonSpace();
    if (depth > kMaxDepth) {
        Fail(PlacePointer(), line_, "nested deeper than " + std::to_string(kMaxDepth) + " levels");
    }
    if (unit.nodes_.size() >= JsonUnit::kMaxValues) {
        Fail(PlacePointer(), line_,
             "expected at most " + std::to_string(JsonUnit::kMaxValues) + " values in " + std::string(unit.what_));
    }
    const auto id = static_cast<std::uint32_t>(unit.nodes_.size());
    JsonUnit::Node& node = unit.nodes_.emplace_back();
    node.line = static_cast<std::uint32_t>(line_);
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
    using Kind = JsonUnit::Node::Kind;
    switch (c) {
    case '"': {
        node.kind = Kind::String;
        node.textAt = static_cast<std::uint32_t>(unit.text_.size());
        ReadString(unit.text_, JsonUnit::kMaxTextBytes);
        unit.nodes_[id].textLength = static_cast<std::uint32_t>(unit.text_.size() - unit.nodes_[id].textAt);
        return id;
    }
    case 't': node.kind = Kind::True; ReadLiteral("true"); return id;
    case 'f': node.kind = Kind::False; ReadLiteral("false"); return id;
    case 'n': node.kind = Kind::Null; ReadLiteral("null"); return id;
    case '{':
    case '[': break;
    default:
        if (c == '-' || IsDigit(c)) {
            node.kind = Kind::Number;
            ReadNumber(unit, node);
            return id;
        }
        SyntaxFault("a value");
    }
    const bool object = c == '{';
    node.kind = object ? Kind::Object : Kind::Array;
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
            next = PeekNonSpace();
        }
        if (object) {
            if (next != '"') {
                SyntaxFault("a key in double quotes");
            }
            const auto keyAt = static_cast<std::uint32_t>(unit.text_.size());
            ReadString(unit.text_, JsonUnit::kMaxTextBytes);
            const auto keyLength = static_cast<std::uint32_t>(unit.text_.size() - keyAt);
            const std::string_view key(unit.text_.data() + keyAt, keyLength);
            place_.hasKey = true;
            place_.keyAt = keyAt;
            place_.keyLength = keyLength;
            for (std::uint32_t child = unit.nodes_[id].first; child != JsonUnit::kNone; child = unit.nodes_[child].next) {
                if (SameKey(unit.Key(child), key)) {
                    Fail(PlacePointer(), line_, "duplicate key " + JsonQuoted(key) + "; expected each key once in an object");
                }
            }
            if (unit.nodes_[id].count >= kMaxMembers) {
                Fail(PlacePointer(), line_, "expected at most " + std::to_string(kMaxMembers) + " members in an object");
            }
            Expect(':', "':'");
            const std::uint32_t member = ReadValue(unit, id, depth + 1);
            unit.nodes_[member].keyAt = keyAt;
            unit.nodes_[member].keyLength = keyLength;
        } else {
            ReadValue(unit, id, depth + 1);
        }
    }
    place_ = outer;
    return id;
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

unsigned JsonParser::ReadHex4()
{
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        const int c = Peek();
        unsigned digit = 0;
        if (IsDigit(c)) {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            SyntaxFault("four hexadecimal digits after \\u");
        }
        value = value * 16 + digit;
        ++at_;
    }
    return value;
}

void JsonParser::ReadUtf8Sequence(std::string& into, unsigned char lead)
{
    // The ranges of well-formed UTF-8: no overlong forms, no surrogates,
    // nothing beyond U+10FFFF.
    int more = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        Fail(PlacePointer(), line_, "expected text in UTF-8, found " + Found(lead));
    }
    into += static_cast<char>(lead);
    ++at_;
    for (int i = 0; i < more; ++i) {
        const int c = Peek();
        if (c < low || c > high) {
            Fail(PlacePointer(), line_, "expected text in UTF-8, found " + Found(c) + " after " + Found(lead));
        }
        into += static_cast<char>(c);
        ++at_;
        low = 0x80;
        high = 0xBF;
    }
}

void JsonParser::ReadString(std::string& into, std::size_t limit)
{
    const std::size_t start = into.size();
    ++at_;  // the opening quote
    for (;;) {
        // Plain ASCII goes across in runs.
        const char* run = at_;
        while (run < end_ && kPlainText[static_cast<unsigned char>(*run)]) {
            ++run;
        }
        into.append(at_, static_cast<std::size_t>(run - at_));
        at_ = run;
        if (into.size() - start > limit) {
            Fail(PlacePointer(), line_, "expected a text of at most " + std::to_string(limit) + " bytes");
        }
        const int c = Peek();
        if (c == '"') {
            ++at_;
            return;
        }
        if (c == kEnd) {
            SyntaxFault("'\"' to end the text");
        }
        if (c == '\n') {
            Fail(PlacePointer(), line_, "expected the text to end on its line, found a line end; write it as \\n");
        }
        if (c < 0x20) {
            Fail(PlacePointer(), line_, "expected a control character in a text escaped, found " + Found(c));
        }
        if (c >= 0x80) {
            ReadUtf8Sequence(into, static_cast<unsigned char>(c));
            continue;
        }
        if (c != '\\') {
            continue;
        }
        ++at_;
        const int escaped = Peek();
        ++at_;
        switch (escaped) {
        case '"': into += '"'; break;
        case '\\': into += '\\'; break;
        case '/': into += '/'; break;
        case 'b': into += '\b'; break;
        case 'f': into += '\f'; break;
        case 'n': into += '\n'; break;
        case 'r': into += '\r'; break;
        case 't': into += '\t'; break;
        case 'u': {
            unsigned code = ReadHex4();
            if (code >= 0xDC00 && code <= 0xDFFF) {
                Fail(PlacePointer(), line_, "expected a \\u escape of a character, found half of a pair");
            }
            if (code >= 0xD800 && code <= 0xDBFF) {
                if (Peek() != '\\' || (++at_, Peek()) != 'u') {
                    Fail(PlacePointer(), line_, "expected the second half of a \\u escape pair");
                }
                ++at_;
                const unsigned second = ReadHex4();
                if (second < 0xDC00 || second > 0xDFFF) {
                    Fail(PlacePointer(), line_, "expected the second half of a \\u escape pair");
                }
                code = 0x10000 + ((code - 0xD800) << 10) + (second - 0xDC00);
            }
            if (code < 0x80) {
                into += static_cast<char>(code);
            } else if (code < 0x800) {
                into += static_cast<char>(0xC0 | (code >> 6));
                into += static_cast<char>(0x80 | (code & 0x3F));
            } else if (code < 0x10000) {
                into += static_cast<char>(0xE0 | (code >> 12));
                into += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                into += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                into += static_cast<char>(0xF0 | (code >> 18));
                into += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
                into += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                into += static_cast<char>(0x80 | (code & 0x3F));
            }
            break;
        }
        default:
            --at_;
            Fail(PlacePointer(), line_, "expected one of \\\" \\\\ \\/ \\b \\f \\n \\r \\t \\u after a backslash, found " +
                                           Found(escaped));
        }
    }
}

}  // namespace nexmar
