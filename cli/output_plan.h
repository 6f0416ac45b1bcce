#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace nexmar {

// One file that a run will write, and who asked for it.
struct PlannedOutput {
    std::string option;  // the option that names it, as said in a refusal
    std::string what;    // the output as a refusal names it when another output is planned there too
    std::filesystem::path path;
    // A name the run chooses itself (a report, a picture) rather than one the
    // user gave: a symbolic link there is refused, never followed, since in
    // a shared folder anyone may have planted it.
    bool chosenByRun = false;
};

// Every output the run will write: what it prints (the tree, the
// statistics' text) as "-", the reports, then the JSON document, the
// statistics, the picture sheet, the handout, the map and the picture of
// each system in pictures (their numbers in the run). An option that adds an
// output adds it here, so that it is checked against the others before
// anything is touched.
std::vector<PlannedOutput> PlanOutputs(const CliOptions& options, std::span<const int> pictures = {});

// The refusal, in one line, when two planned outputs will be one file: the
// same name in the same folder once "." and ".." are resolved and links are
// followed, whether or not the file exists yet; when two name standard
// output, or one descriptor of the process (see OutputPlace); or when a name
// the run chooses holds anything but a file (a symbolic link, a directory).
// Empty when each has a file of its own.
// Takes time in proportion to the outputs, so that ten thousand pictures
// are checked at once.
std::string FindCollision(const std::vector<PlannedOutput>& outputs);

// path with every symbolic link followed, its last name too, even to a file
// yet to be made: the file an output at path replaces.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

}  // namespace nexmar
