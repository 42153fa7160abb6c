#include "sim/ecuengine.h"
#include "sim/ptyserver.h"
#include "sim/simoptions.h"

#include <cstring>
#include <iostream>
#include <memory>

int main(int argc, char** argv) {
    using namespace qmx::sim;
    // The memory image and the engine's staging copy are 64 KiB each: keep them off the stack.
    auto setup = std::make_unique<SimSetup>();
    if (const auto exitCode = parseCommandLine(argc, argv, *setup, std::cout, std::cerr))
        return *exitCode;

    PtyServer server;
    if (const int error = server.open(); error != 0) {
        std::cerr << "ecusim: cannot open a pseudo-terminal: " << std::strerror(error) << "\n";
        return 1;
    }
    if (!setup->linkPath.empty()) {
        if (const int error = server.createLink(setup->linkPath); error != 0) {
            std::cerr << "ecusim: cannot create the link " << setup->linkPath << ": "
                      << std::strerror(error) << "\n";
            return 1;
        }
    }
    std::cout << server.slavePath() << std::endl;

    auto engine = std::make_unique<EcuEngine>(setup->memory, setup->engine, Clock::now());
    if (setup->trace)
        engine->setTrace([](const std::string& text) { std::cerr << "ecusim: " << text << "\n"; });
    if (const int error =
            server.serve(*engine, setup->watchStdin, setup->trace ? &std::cerr : nullptr);
        error != 0) {
        std::cerr << "ecusim: " << std::strerror(error) << "\n";
        return 1;
    }
    return 0;
}
