#pragma once

#include "app/commandline.h"

#include <string>

// The two ways qmx runs: the batch export of its two command-line words, without any window,
// and the desktop program.
namespace qmx::ui {

// Reads the settings and exports the configuration `words.first` to `words.second`; messages
// go to stderr. Creates no Qt application, so it runs without a display. Returns the exit
// status: 0 on success, 1 on failure.
int runBatch(const app::CommandWords& words);

// Starts the desktop program: settings (or the "%s.ini is not exist." box and exit status 1),
// the hidden main window, the splash picture, then the main window maximised, which opens
// `configuration` (when not empty) as File > Open would; returns when the program ends. With
// the environment variable QMX_EXIT_WHEN_SHOWN set, it ends as soon as the main window has
// painted itself once (for the start-up benchmark).
int runDesktop(int argc, char** argv, const std::string& configuration = {});

} // namespace qmx::ui
