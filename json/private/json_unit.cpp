#include "json/private/json_parser.h"

#include <cstdio>

namespace nexmar {

namespace {

constexpr std::size_t kShownLength = 40;

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
    indexed_ = kNone;
    system_ = system;
    what_ = what;
}

void JsonUnit::IndexMembers(std::uint32_t object) const
{
    bySlot_.fill(kNone);
    for (std::uint32_t child = nodes_[object].first; child != kNone; child = nodes_[child].next) {
        std::uint32_t& slot = bySlot_[KeySlot(Key(child))];
        slot = slot == kNone ? child : kShared;
    }
    indexed_ = object;
}

std::uint32_t JsonUnit::Find(std::uint32_t object, std::string_view key) const
{
    const unsigned slot = KeySlot(key);
    if ((nodes_[object].keyBits & (std::uint32_t{1} << slot)) == 0) {
        return kNone;
    }
    if (indexed_ != object) {
        IndexMembers(object);
    }
    if (const std::uint32_t member = bySlot_[slot]; member != kShared) {
        return member != kNone && SameKey(Key(member), key) ? member : kNone;
    }
    for (std::uint32_t child = nodes_[object].first; child != kNone; child = nodes_[child].next) {
        if (SameKey(Key(child), key)) {
            return child;
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

}  // namespace nexmar
