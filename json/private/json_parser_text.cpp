#include "json/private/json_parser.h"

#include <array>

#include "core/utf8.h"

// The texts of a document: UTF-8 checked, escapes decoded.

namespace nexmar {

namespace {

// The bytes a text holds as they are: printable ASCII but the quote and
// the backslash.
constexpr auto kPlainText = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c) {
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    }
    return plain;
}();

}  // namespace

unsigned JsonParser::ReadHex4()
{
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        const int c = Peek();
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
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
    // Called for a byte above 0x7F, which must open a sequence of more.
    const Utf8Lead sequence = Utf8LeadOf(lead);
    if (sequence.following <= 0) {
        Fail(PlacePointer(), line_, "expected text in UTF-8, found " + Found(lead));
    }
    unsigned char low = sequence.low, high = sequence.high;
    into += static_cast<char>(lead);
    ++at_;
    for (int i = 0; i < sequence.following; ++i) {
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
        ReadEscape(into);
    }
}

// code as its UTF-8 bytes.
static void AppendUtf8(std::string& into, unsigned code)
{
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
}

void JsonParser::ReadEscape(std::string& into)
{
    ++at_;  // the backslash
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
    case 'u': AppendUtf8(into, ReadUnicodeEscape()); break;
    default:
        --at_;
        Fail(PlacePointer(), line_, "expected one of \\\" \\\\ \\/ \\b \\f \\n \\r \\t \\u after a backslash, found " +
                                       Found(escaped));
    }
}

unsigned JsonParser::ReadUnicodeEscape()
{
    const unsigned code = ReadHex4();
    if (code >= 0xDC00 && code <= 0xDFFF) {
        Fail(PlacePointer(), line_, "expected a \\u escape of a character, found half of a pair");
    }
    if (code < 0xD800 || code > 0xDBFF) {
        return code;
    }
    if (Peek() != '\\' || (++at_, Peek()) != 'u') {
        Fail(PlacePointer(), line_, "expected the second half of a \\u escape pair");
    }
    ++at_;
    const unsigned second = ReadHex4();
    if (second < 0xDC00 || second > 0xDFFF) {
        Fail(PlacePointer(), line_, "expected the second half of a \\u escape pair");
    }
    return 0x10000 + ((code - 0xD800) << 10) + (second - 0xDC00);
}

}  // namespace nexmar
