#include "config/linelist.h"

#include <stdexcept>

#include "config/rangereplace.h"

namespace qmx::config {

void CLineList::insertAt(std::size_t index, std::string text) {
    if (index > m_lines.size())
        throw std::out_of_range("CLineList::insertAt");
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(index), std::move(text));
}

void CLineList::removeAt(std::size_t index) {
    if (index >= m_lines.size())
        throw std::out_of_range("CLineList::removeAt");
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(index));
}

void CLineList::replaceRange(std::size_t first, std::size_t last, std::vector<std::string> texts) {
    config::replaceRange(m_lines, first, last, std::move(texts));
}

} // namespace qmx::config
