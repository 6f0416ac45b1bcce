#pragma once

#include <string>
#include <string_view>

namespace nexmar {

// Why a document was refused: thrown where the reading stops, handed to the
// reader's caller.
struct JsonReadError {
    // One line: the JSON pointer of the place, its line, and what was expected there.
    std::string message;
    // The document holds more systems than the reader was allowed.
    bool tooManySystems = false;
    // The message's parts, for a reader that shows them its own way: the
    // place's line and column (in bytes from 1; 0 when not known).
    std::string pointer = {};
    long long line = 0;
    long long column = 0;
    std::string what = {};
};

// The error at a place of the document: "pointer (line N): what", the
// document itself (the empty pointer) written "/".
inline JsonReadError JsonErrorAt(std::string_view pointer, long long line, std::string_view what,
                                 bool tooManySystems = false, long long column = 0)
{
    std::string message(pointer.empty() ? "/" : pointer);
    message.append(" (line ").append(std::to_string(line)).append("): ").append(what);
    return {std::move(message), tooManySystems, std::string(pointer.empty() ? "/" : pointer), line, column,
            std::string(what)};
}

}  // namespace nexmar
