#include "app/commandtable.h"

#include "app/accelerators.h"

namespace qmx::app {

void CommandTable::add(int command, std::function<void()> run) {
    m_runs[command] = std::move(run);
}

void CommandTable::addEditOperations(const std::function<void(int code)>& forward) {
    for (int command : forwardedCommands())
        add(command, [forward, code = editOperationCode(command)] { forward(code); });
}

bool CommandTable::run(int command) const {
    const auto found = m_runs.find(command);
    if (found == m_runs.end())
        return false;
    found->second();
    return true;
}

} // namespace qmx::app
