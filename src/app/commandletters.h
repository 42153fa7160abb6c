#pragma once

#include <cstdint>

// The command table: every command byte sent to the ECU is looked up by its letter.
namespace qmx::app {

class CommandLetters {
public:
    // The byte to send for command `letter`: the letter itself for one of J, j, L, M, m, N, S,
    // s, W, R, V; 0 for any other letter.
    std::uint8_t byteFor(char letter) const;
};

} // namespace qmx::app
