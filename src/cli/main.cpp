#include <iostream>

#include "cli/command.h"
#include "cli/session.h"

int main(int argc, char** argv) {
    qmx::cli::Session session(std::cout, std::cerr);
    return qmx::cli::runQmxctl(argc, argv, session);
}
