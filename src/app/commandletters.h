#pragma once

#include <cstdint>

// The command table: every command byte sent to the ECU is looked up by its letter. Map A
// sends each letter as itself; map B sends the letters of another command set.
namespace qmx::app {

class CommandLetters {
public:
    // The byte to send for command `letter` with the selected map; 0 for a letter that is not
    // one of J, j, L, M, m, N, S, s, W, R, V.
    std::uint8_t byteFor(char letter) const;
    // 0 selects map A, 1 map B; any other value keeps the current map.
    void select(int selector);
    int selector() const { return m_selector; }

private:
    int m_selector = 0;
};

} // namespace qmx::app
