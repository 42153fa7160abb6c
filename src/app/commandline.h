#pragma once

#include <string>
#include <vector>

// The command line of qmx: two words run the batch export (configuration, export file); one
// path opens that configuration in the desktop program.
namespace qmx::app {

struct CommandWords {
    std::string first;  // the configuration to read
    std::string second; // the export file to write
    std::string open;   // the configuration the desktop program opens at start; empty: none
    // Either word set: start-up runs the batch export instead of the desktop.
    bool runsBatch() const { return !first.empty() || !second.empty(); }
};

// `arguments` without the program's path. Exactly two arguments are the two words. One
// argument that names an existing file is the configuration to open (a file manager passes a
// path with spaces as one argument); otherwise one argument holding a space is split at its
// first space into the two words, and one without a space is the configuration to open.
// Anything else gives no words.
CommandWords splitCommandLine(const std::vector<std::string>& arguments);

} // namespace qmx::app
