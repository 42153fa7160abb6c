#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qmx::config {

// The configuration file's text lines in file order, without line ends. Lines are kept as
// bytes: every line the program does not interpret is written back unchanged.
class CLineList {
public:
    void append(std::string text) { m_lines.push_back(std::move(text)); }
    // `index` may equal count() (insert at the end).
    void insertAt(std::size_t index, std::string text);
    void removeAt(std::size_t index);
    // Replaces the lines [first, last) by `texts` in one pass, so that rebuilding a section
    // costs time linear in the list. Requires first <= last <= count().
    void replaceRange(std::size_t first, std::size_t last, std::vector<std::string> texts);
    const std::string& textAt(std::size_t index) const { return m_lines.at(index); }
    std::size_t count() const { return m_lines.size(); }
    void clear() { m_lines.clear(); }

    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

} // namespace qmx::config
