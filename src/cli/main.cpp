#include <iostream>
#include <unistd.h>

#include "cli/command.h"
#include "cli/session.h"

int main(int argc, char** argv) {
    qmx::cli::Session session(std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
    return qmx::cli::runQmxctl(argc, argv, session);
}
