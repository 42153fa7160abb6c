#pragma once

#include <string>

namespace qmx::app {

// The program's version line for the communication log: the file name of `programPath`,
// "(ver." + the build's version + ")", " : " and the file's modification time in the
// locale's date and time format ("%c"). Empty when the file's status cannot be read.
std::string versionText(const std::string& programPath);

} // namespace qmx::app
