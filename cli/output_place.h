#pragma once

#include <filesystem>

namespace nexmar {

// Where an output named by a path goes. A file is staged and takes its name
// with the run's other files; a stream is written as it stands, since
// replacing what a name points at would lose what the shell set up there: a
// redirect's file with its earlier lines, a pipe, a terminal.
struct OutputPlace {
    enum class Kind {
        File,            // a regular file, or none yet: staged and named at the commit
        StandardOutput,  // "-", or a name of descriptor 1 (/dev/stdout, /dev/fd/1)
        Descriptor,      // a name of another descriptor of this process (/dev/stderr, /dev/fd/N)
        Stream,          // a FIFO, a device or a socket at a name of its own
    };
    Kind kind = Kind::File;
    int descriptor = -1;  // of Kind::Descriptor

    bool IsStream() const { return kind != Kind::File; }
};

// What path names, its links followed one at a time: the first that names a
// descriptor of this process decides, whether or not that descriptor is open
// (writing to a closed one then fails and says so).
OutputPlace PlaceOf(const std::filesystem::path& path);

// A descriptor of its own, opened for writing, of a Descriptor or a Stream
// place: the same open file as the descriptor named, with its offset and its
// append mode as the shell left them; a device or a FIFO opened at its name,
// never truncated; a socket connected to. -1 with errno set when it cannot be.
int OpenInPlace(const OutputPlace& place, const std::filesystem::path& path);

}  // namespace nexmar
