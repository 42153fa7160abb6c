#pragma once

#include <optional>
#include <string>
#include <vector>

// The value edits of `qmxctl set`, parsed in command-line order and applied through the
// commit rules of the editors.
namespace qmx::cli {

class Session;

struct Edit {
    enum class Target { Cell, X, Z, Constant };
    Target target = Target::Cell;
    std::string name; // the map, or the constant's Contents
    int row = 0;      // from 0
    int column = 0;   // from 0
    std::string value;
};

struct SetArguments {
    std::string config;
    std::vector<Edit> edits;
    std::string saveAs; // empty: save in place
};

// Parses `CONFIG EDIT... [--as OUT]` where EDIT is `--map NAME` (the map of the edits that
// follow), `--cell ROW,COL VALUE`, `--x COL[,ROW] VALUE`, `--z ROW VALUE` or
// `--const CONTENTS VALUE`. A VALUE is taken as it stands, so "-3" is a value. Returns the
// problem's text when the arguments are malformed.
std::optional<std::string> parseSetArguments(const std::vector<std::string>& args,
                                             SetArguments& parsed);

// Commits `edit` into the open configuration as the table window or the constant editor
// would: range warnings go to the error stream and the value set stands. 0, or 1 after
// printing why the value was refused (the image is then unchanged by this edit).
int applyEdit(Session& session, const Edit& edit);

} // namespace qmx::cli
