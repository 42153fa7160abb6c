#pragma once

#include <string>
#include <vector>

// The command line of qmx: two words run the batch export (configuration, export file).
namespace qmx::app {

struct CommandWords {
    std::string first;  // the configuration to read
    std::string second; // the export file to write
    // Either word set: start-up runs the batch export instead of the desktop.
    bool runsBatch() const { return !first.empty() || !second.empty(); }
};

// `arguments` without the program's path. Exactly two arguments are the two words; one
// argument holding a space is split at its first space; anything else gives no words.
CommandWords splitCommandLine(const std::vector<std::string>& arguments);

} // namespace qmx::app
