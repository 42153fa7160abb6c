#pragma once

#include <string>
#include <string_view>

namespace qmx::ecu {

// The small progress window of an ECU exchange: a title line, a status line and a retry line.
// The desktop program draws it; qmxctl prints it to stderr.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    // Shows the window with `title`, the status line "Wait..." and an empty retry line.
    virtual void open(std::string_view title) = 0;
    virtual void setStatus(std::string_view text) = 0;
    virtual void setRetry(std::string_view text) = 0;
    // Removes the window; nothing happens when it is not shown.
    virtual void close() = 0;
};

// Keeps a progress window shown for the lifetime of the scope.
class ProgressScope {
public:
    ProgressScope(ProgressWindow& window, std::string_view title) : m_window(window) {
        m_window.open(title);
    }
    ~ProgressScope() { m_window.close(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    ProgressWindow& m_window;
};

// The status line text "Wait..." followed by `suffix` (an address or a percentage).
inline std::string waitText(std::string_view suffix = {}) {
    return "Wait..." + std::string(suffix);
}

} // namespace qmx::ecu
