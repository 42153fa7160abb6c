#include "app/commandline.h"
#include "ui/startup.h"

#include <string>
#include <vector>

// qmx: with two words on the command line the batch export, otherwise the desktop program (with
// one path, opening that configuration).
// The choice is made before any Qt object exists, so the batch needs no display.
int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const qmx::app::CommandWords words = qmx::app::splitCommandLine(arguments);
    if (words.runsBatch())
        return qmx::ui::runBatch(words);
    return qmx::ui::runDesktop(argc, argv, words.open);
}
