#pragma once

#include <functional>
#include <map>

// The commands a front end offers and what runs each: the one place where a window or dialog
// hooks its menu items and keys into the main frame.
namespace qmx::app {

class CommandTable {
public:
    // Offers `command`, run by `run`; a later add for the same command replaces the earlier.
    void add(int command, std::function<void()> run);
    // Offers every forwarded keyboard command; each passes its edit operation code (7..32) to
    // `forward`.
    void addEditOperations(const std::function<void(int code)>& forward);

    // Whether `command` is offered.
    bool offers(int command) const { return m_runs.count(command) != 0; }
    // Runs `command`; false when it is not offered.
    bool run(int command) const;

private:
    std::map<int, std::function<void()>> m_runs;
};

} // namespace qmx::app
